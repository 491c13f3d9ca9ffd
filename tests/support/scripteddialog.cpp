#include "scripteddialog.h"

#include <QCursor>
#include <QGuiApplication>

#include <QByteArrayAlgorithms>

void ScriptedDialog::answerFile(const QString &path)
{
    m_answers.emplace_back(path);
}

void ScriptedDialog::answerColor(PackedColor colour)
{
    m_answers.emplace_back(colour);
}

void ScriptedDialog::answerText(const QString &text)
{
    m_answers.emplace_back(Text{text});
}

void ScriptedDialog::cancelNext()
{
    m_answers.emplace_back(Cancel{});
}

QStringList ScriptedDialog::messages() const
{
    QStringList texts;
    for (const Question &q : m_asked)
        if (q.kind == Kind::Message)
            texts << q.text;
    return texts;
}

std::optional<QString> ScriptedDialog::fileAnswer(const Question &question)
{
    m_asked << question;
    if (m_answers.empty())
        return std::nullopt;
    const Answer answer = m_answers.front();
    m_answers.pop_front();
    if (std::holds_alternative<PackedColor>(answer) || std::holds_alternative<Text>(answer))
        qFatal("ScriptedDialog: a colour or text was queued but a file dialog \"%s\" was shown",
               qPrintable(question.title));
    if (const QString *path = std::get_if<QString>(&answer))
        return *path;
    return std::nullopt;
}

std::optional<QString> ScriptedDialog::ShowOpen(const QString &title, const QString &filter,
                                                const QString &folder)
{
    return fileAnswer({Kind::Open, title, filter, 0, {}, folder});
}

std::optional<QString> ScriptedDialog::ShowSave(const QString &title, const QString &filter,
                                                const QString &folder)
{
    return fileAnswer({Kind::Save, title, filter, 0, {}, folder});
}

std::optional<PackedColor> ScriptedDialog::ShowColor(PackedColor start)
{
    m_asked << Question{Kind::Color, {}, {}, start, {}, {}};
    if (m_answers.empty())
        return std::nullopt;
    const Answer answer = m_answers.front();
    m_answers.pop_front();
    if (std::holds_alternative<QString>(answer) || std::holds_alternative<Text>(answer))
        qFatal("ScriptedDialog: a file or text was queued but the colour dialog was shown");
    if (const PackedColor *colour = std::get_if<PackedColor>(&answer))
        return *colour;
    return std::nullopt;
}

void ScriptedDialog::message(const QString &text)
{
    m_asked << Question{Kind::Message, {}, {}, 0, text, {}};
    const QCursor *pointer = QGuiApplication::overrideCursor();
    m_messagePointers << (pointer ? pointer->shape() : Qt::ArrowCursor);
}

std::optional<QString> ScriptedDialog::askText(const QString &title, const QString &label,
                                               const QString &start)
{
    m_asked << Question{Kind::Text, title, {}, 0, start, label};
    if (m_answers.empty())
        return std::nullopt;
    const Answer answer = m_answers.front();
    m_answers.pop_front();
    if (std::holds_alternative<QString>(answer) || std::holds_alternative<PackedColor>(answer))
        qFatal("ScriptedDialog: a file or colour was queued but the text dialog \"%s\" was shown",
               qPrintable(title));
    if (const Text *text = std::get_if<Text>(&answer))
        return text->text;
    return std::nullopt;
}

char *toString(const ScriptedDialog::Question &q)
{
    static const char *const kinds[] = {"Open", "Save", "Color", "Message", "Text"};
    const QByteArray text =
        QStringLiteral("%1(title \"%2\", filter \"%3\", start %4, text \"%5\", folder \"%6\")")
            .arg(QLatin1String(kinds[int(q.kind)]), q.title, q.filter,
                 QString::number(q.start, 16), q.text, q.folder)
            .toUtf8();
    return qstrdup(text.constData());
}
