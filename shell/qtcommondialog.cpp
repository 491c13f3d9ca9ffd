#include "qtcommondialog.h"

#include "palette.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {

std::optional<QString> chosen(const QString &path)
{
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

} // namespace

QString toQtFilter(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString &description = parts[i];
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        const QString tail = u'(' + patterns + u')';
        entries << (description.endsWith(tail) ? description : description + u' ' + tail);
    }
    return entries.join(QStringLiteral(";;"));
}

std::optional<QString> QtCommonDialog::ShowOpen(const QString &title, const QString &filter,
                                                const QString &folder)
{
    const QString path =
        QFileDialog::getOpenFileName(QApplication::activeWindow(), title,
                                     m_lastChosen.value(title, folder), toQtFilter(filter));
    if (!path.isEmpty())
        m_lastChosen.insert(title, path);
    return chosen(path);
}

std::optional<QString> QtCommonDialog::ShowSave(const QString &title, const QString &filter,
                                                const QString &folder)
{
    // No default suffix: a name typed without ".bmp" is used as typed.
    const QString path =
        QFileDialog::getSaveFileName(QApplication::activeWindow(), title,
                                     m_lastChosen.value(title, folder), toQtFilter(filter));
    if (!path.isEmpty())
        m_lastChosen.insert(title, path);
    return chosen(path);
}

std::optional<PackedColor> QtCommonDialog::ShowColor(PackedColor start)
{
    const QColor colour = QColorDialog::getColor(QColor::fromRgb(rgbFromPacked(start)), QApplication::activeWindow());
    if (!colour.isValid())
        return std::nullopt;
    return packedFromRgb(colour.rgb());
}

void QtCommonDialog::message(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kProgramTitle), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

std::optional<QString> QtCommonDialog::askText(const QString &title, const QString &label,
                                               const QString &start)
{
    bool ok = false;
    const QString text = QInputDialog::getMultiLineText(QApplication::activeWindow(), title, label,
                                                        start, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}
