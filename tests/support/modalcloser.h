// Closes the modal window that a command under test opens with exec(), once it shows. If
// none shows in time, every visible modal window is closed all the same, so that exec()
// returns and the test fails on seen() instead of hanging until CTest gives up.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <functional>

class ModalCloser {
public:
    // `inspect` looks at the window before it is closed.
    explicit ModalCloser(std::function<void(QWidget *)> inspect = {}, int timeoutMs = 5000)
        : m_inspect(std::move(inspect)), m_timeoutMs(timeoutMs)
    {
        m_waited.start();
        m_poll.setInterval(5);
        QObject::connect(&m_poll, &QTimer::timeout, [this] { poll(); });
        m_poll.start();
    }

    bool seen() const { return m_seen; }

private:
    void poll()
    {
        if (QWidget *box = QApplication::activeModalWidget(); box && box->isVisible()) {
            m_seen = true;
            m_poll.stop();
            if (m_inspect)
                m_inspect(box);
            box->close();
            return;
        }
        if (!m_waited.hasExpired(m_timeoutMs))
            return;
        m_poll.stop();
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window->isModal() && window->isVisible())
                window->close();
        }
    }

    std::function<void(QWidget *)> m_inspect;
    int m_timeoutMs;
    bool m_seen = false;
    QElapsedTimer m_waited;
    QTimer m_poll;
};
