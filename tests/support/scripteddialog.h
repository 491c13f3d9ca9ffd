// A common dialog for tests: the test queues the user's answers, and every question asked
// is recorded so the test can check what the user would have seen.
#pragma once

#include "commondialog.h"

#include <QList>
#include <QStringList>

#include <deque>
#include <variant>

class ScriptedDialog : public CommonDialog {
public:
    enum class Kind { Open, Save, Color, Message, Text };

    struct Question {
        Kind kind;
        QString title;         // Open, Save
        QString filter;        // Open, Save
        PackedColor start = 0; // Color
        QString text;          // Message; Text: the text it started from
        QString folder = {};   // Open, Save: where the dialog was asked to start; Text: its label

        bool operator==(const Question &) const = default;
    };

    // The next open or save question is confirmed with `path`.
    void answerFile(const QString &path);
    // The next colour question is confirmed with `colour`.
    void answerColor(PackedColor colour);
    // The next text question is confirmed with `text`.
    void answerText(const QString &text);
    // The next open, save or colour question is cancelled. A question met by an empty
    // queue is cancelled too.
    void cancelNext();

    const QList<Question> &asked() const { return m_asked; }
    QStringList messages() const; // the texts of the messages, in order
    // The mouse pointer while each message waited, in order: the application's override
    // pointer, or the normal arrow when there was none.
    const QList<Qt::CursorShape> &messagePointers() const { return m_messagePointers; }
    qsizetype pendingAnswers() const { return qsizetype(m_answers.size()); }
    void clearAsked() { m_asked.clear(); }

    std::optional<QString> ShowOpen(const QString &title, const QString &filter,
                                    const QString &folder = {}) override;
    std::optional<QString> ShowSave(const QString &title, const QString &filter,
                                    const QString &folder = {}) override;
    std::optional<PackedColor> ShowColor(PackedColor start) override;
    void message(const QString &text) override;
    std::optional<QString> askText(const QString &title, const QString &label,
                                   const QString &start) override;

private:
    struct Cancel {};
    struct Text {
        QString text;
    };
    using Answer = std::variant<Cancel, QString, PackedColor, Text>;

    std::optional<QString> fileAnswer(const Question &question);

    std::deque<Answer> m_answers;
    QList<Question> m_asked;
    QList<Qt::CursorShape> m_messagePointers;
};

char *toString(const ScriptedDialog::Question &question); // for QCOMPARE
