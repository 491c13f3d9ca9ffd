#include "qtcommondialog.h"

#include "palette.h"

#include <QApplication>
#include <QColorDialog>
#include <QEvent>
#include <QFileDialog>
#include <QInputDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>

namespace {

std::optional<QString> chosen(const QString &path)
{
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

// "PNG images (*.png)" -> "png": the first pattern's extension, empty for "*" or none.
QString extensionOf(const QString &entry)
{
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    return pattern.match(entry).captured(1).toLower();
}

// A name typed without an extension gets the chosen filter's, before the dialog asks
// whether to replace a file of that name.
class SaveDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;
    void accept() override
    {
        setDefaultSuffix(extensionOf(selectedNameFilter()));
        QFileDialog::accept();
    }
};

class SelectNameOnShow : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            if (auto *name = watched->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                name->selectAll();
        return false;
    }
};

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

QString QtCommonDialog::startFor(const QString &title, const QString &folder) const
{
    const QString last = m_lastChosen.value(title);
    if (last.isEmpty())
        return folder;
    const bool lastLiesThere =
        QFileInfo(last).absolutePath() == QFileInfo(folder).absoluteFilePath();
    return folder.isEmpty() || lastLiesThere ? last : folder;
}

std::optional<QString> QtCommonDialog::ShowOpen(const QString &title, const QString &filter,
                                                const QString &folder)
{
    const QString path = QFileDialog::getOpenFileName(QApplication::activeWindow(), title,
                                                      startFor(title, folder), toQtFilter(filter));
    if (!path.isEmpty())
        m_lastChosen.insert(title, path);
    return chosen(path);
}

std::optional<QString> QtCommonDialog::ShowSave(const QString &title, const QString &filter,
                                                const QString &folder)
{
    const QString start = startFor(title, folder);
    SaveDialog dialog(QApplication::activeWindow(), title, start, toQtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The name offered last comes with the filter of its extension.
    const QStringList filters = dialog.nameFilters();
    const QString lastSuffix = QFileInfo(start).suffix().toLower();
    for (const QString &entry : filters)
        if (!lastSuffix.isEmpty() && extensionOf(entry) == lastSuffix)
            dialog.selectNameFilter(entry);
    // The name offered is selected once the dialog shows, so that typing replaces it.
    SelectNameOnShow selectName;
    dialog.installEventFilter(&selectName);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QString path = dialog.selectedFiles().value(0);
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
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::translate("CommonDialog", kProgramTitle),
                    text, QMessageBox::Ok, QApplication::activeWindow());
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
