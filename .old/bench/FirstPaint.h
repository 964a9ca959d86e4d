#pragma once

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace ojn::bench {

// Says "painted" on stdout once the first paint of `window` (itself or any
// of its children) has been done, and ends the process there: the start-up
// probes measure process start to first paint, not shutting down.
class FirstPaintReporter final : public QObject {
public:
    explicit FirstPaintReporter(QWidget &window) : m_window(window) { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->window() == &m_window) {
            m_seen = true;
            // Queued, so the whole first paint pass is done by then.
            QTimer::singleShot(0, [] {
                std::fputs("painted\n", stdout);
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    QWidget &m_window;
    bool m_seen = false;
};

} // namespace ojn::bench
