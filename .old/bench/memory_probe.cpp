// Prints the peak resident memory (VmHWM, KiB) of an editor with no chart,
// or, given a path, of an editor that has opened that chart through its
// real open command.
#include "dialogs/Dialogs.h"
#include "editor/Form1.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QPushButton>

#include <cstdio>

namespace {

// Answers the open dialog with the chart's path; reports any message.
class ProbeDialogs final : public ojn::Dialogs {
public:
    explicit ProbeDialogs(QString path) : m_path(std::move(path)) {}
    QString askFileName(QWidget *, ojn::FileDialogMode, const QString &, const QString &) override { return m_path; }
    QStringList askFileNames(QWidget *, const QString &, const QString &) override { return {}; }
    QString askFolder(QWidget *, const QString &, const QString &) override { return {}; }
    ojn::MessageAnswer showMessage(QWidget *, const QString &text, const QString &, ojn::MessageIcon,
                                   ojn::MessageButtons) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        failed = true;
        return ojn::MessageAnswer::Ok;
    }
    void showModal(QDialog &window) override { window.close(); }
    void endProgram() override {}
    bool failed = false;

private:
    QString m_path;
};

long long statusKiB(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = QByteArray(field) + ':';
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    ProbeDialogs dialogs(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString());
    ojn::Form1 window(dialogs);
    window.show();
    QApplication::processEvents();
    if (argc > 1) {
        window.openChart();
        QApplication::processEvents();
        if (dialogs.failed || !window.BtnSave->isEnabled())
            return 1;
    }
    std::printf("%lld\n", statusKiB("VmHWM"));
    return 0;
}
