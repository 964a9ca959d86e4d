#include "text/CodePage.h"
#include "support/ScopedLocale.h"

#include <QTest>

using namespace ojn;
using namespace ojn::test;

class CodePageTest : public QObject {
    Q_OBJECT
private slots:
    void codePageOfLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("codePage");
        const struct {
            const char *locale;
            int codePage;
        } rows[] = {
            {"ko_KR", 949},      {"ja_JP", 932},      {"zh_CN", 936},      {"zh_SG", 936},
            {"zh", 936},         {"zh_Hans_HK", 936}, {"zh_TW", 950},      {"zh_HK", 950},
            {"zh_MO", 950},      {"zh_Hant", 950},    {"th_TH", 874},      {"pl_PL", 1250},
            {"cs_CZ", 1250},     {"hu_HU", 1250},     {"ro_RO", 1250},     {"hr_HR", 1250},
            {"sr_Latn_RS", 1250}, {"sr_Cyrl_RS", 1251}, {"sr_RS", 1251},   {"bs_Latn_BA", 1250},
            {"bs_Cyrl_BA", 1251}, {"ru_RU", 1251},    {"uk_UA", 1251},     {"bg_BG", 1251},
            {"el_GR", 1253},     {"tr_TR", 1254},     {"az_Latn_AZ", 1254}, {"az_Cyrl_AZ", 1251},
            {"uz_Latn_UZ", 1254}, {"he_IL", 1255},    {"ar_SA", 1256},     {"fa_IR", 1256},
            {"et_EE", 1257},     {"lv_LV", 1257},     {"lt_LT", 1257},     {"vi_VN", 1258},
            {"en_US", 1252},     {"de_DE", 1252},     {"fr_FR", 1252},     {"pt_BR", 1252},
            {"C", 1252},
        };
        for (const auto &row : rows)
            QTest::newRow(row.locale) << QString::fromLatin1(row.locale) << row.codePage;
    }
    void codePageOfLocale()
    {
        QFETCH(QString, locale);
        QFETCH(int, codePage);
        QCOMPARE(ansiCodePageFor(QLocale(locale)), codePage);
    }

#ifndef Q_OS_WIN
    void systemCodePageFollowsTheUserLocale()
    {
        {
            const ScopedLocale korean(QLocale(QLocale::Korean, QLocale::SouthKorea));
            QCOMPARE(systemAnsiCodePage(), 949);
        }
        const ScopedLocale greek(QLocale(QLocale::Greek, QLocale::Greece));
        QCOMPARE(systemAnsiCodePage(), 1253);
    }
#endif

    void decodes_data()
    {
        QTest::addColumn<int>("codePage");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("Korean") << 949 << QByteArray("\xc7\xd1\xb1\xdb") << QString::fromUtf8("한글");
        QTest::newRow("backslash stays a backslash in 949")
            << 949 << QByteArray("C:\\\xc7\xd1\\a") << QString::fromUtf8("C:\\한\\a");
        QTest::newRow("backslash stays a backslash in 932") << 932 << QByteArray("a\\b") << QString("a\\b");
        QTest::newRow("Japanese") << 932 << QByteArray("\x93\xfa\x96\x7b") << QString::fromUtf8("日本");
        QTest::newRow("Simplified Chinese") << 936 << QByteArray("\xc4\xe3\xba\xc3") << QString::fromUtf8("你好");
        QTest::newRow("Traditional Chinese") << 950 << QByteArray("\xa4\xa4\xa4\xe5") << QString::fromUtf8("中文");
        QTest::newRow("Cyrillic") << 1251 << QByteArray("\xcf\xf0\xe8") << QString::fromUtf8("При");
        QTest::newRow("Western euro sign") << 1252 << QByteArray("\x80 5") << QString::fromUtf8("€ 5");
        QTest::newRow("Thai") << 874 << QByteArray("\xa1") << QString::fromUtf8("ก");
    }
    void decodes()
    {
        QFETCH(int, codePage);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        const TextCodec codec(codePage);
        QCOMPARE(codec.codePage(), codePage);
        QCOMPARE(codec.decode(bytes), text);
        QCOMPARE(codec.encode(text), std::optional<QByteArray>(bytes));
    }

    void cutTwoByteCharacterDecodesWithoutIt()
    {
        // 31 letters and the lead byte of a Korean character, as in a full
        // 32-byte slot whose last character did not fit.
        const QByteArray bytes = QByteArray(31, 'a') + '\xc7';
        const QString text = TextCodec(949).decode(bytes);
        QVERIFY2(text.startsWith(QString(31, 'a')), qPrintable(text));
        QVERIFY(text.size() <= 32);
    }

    void charactersOutsideTheCodePageAreNotEncoded_data()
    {
        QTest::addColumn<int>("codePage");
        QTest::addColumn<QString>("text");
        QTest::newRow("Korean in 1252") << 1252 << QString::fromUtf8("한");
        QTest::newRow("Cyrillic in 949 is fine, Arabic is not") << 949 << QString::fromUtf8("ب");
        QTest::newRow("emoji in 949") << 949 << QString::fromUtf8("😀");
        QTest::newRow("Greek in 1251") << 1251 << QString::fromUtf8("λ");
    }
    void charactersOutsideTheCodePageAreNotEncoded()
    {
        QFETCH(int, codePage);
        QFETCH(QString, text);
        QCOMPARE(TextCodec(codePage).encode(text), std::nullopt);
    }

    void unsupportedCodePageFallsBackToWestern_data()
    {
        QTest::addColumn<int>("codePage");
        QTest::addColumn<bool>("supported");
        for (int page : {949, 932, 936, 950, 1251, 1252, 12345, 0, -949})
            QTest::addRow("%d", page) << page << (page > 900 && page < 2000);
    }
    void unsupportedCodePageFallsBackToWestern()
    {
        QFETCH(int, codePage);
        QFETCH(bool, supported);
        QCOMPARE(TextCodec::supports(codePage), supported);
        QCOMPARE(TextCodec(codePage).codePage(), supported ? codePage : 1252);
    }
};

QTEST_MAIN(CodePageTest)
#include "tst_code_page.moc"
