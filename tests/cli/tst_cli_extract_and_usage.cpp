#include <QTest>
class T : public QObject { Q_OBJECT };
QTEST_MAIN(T)
#include "tst_cli_extract_and_usage.moc"
