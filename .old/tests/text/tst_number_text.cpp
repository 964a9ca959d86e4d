#include "text/NumberText.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace ojn;

namespace {

const QLocale english(QLocale::English, QLocale::UnitedStates);
const QLocale german(QLocale::German, QLocale::Germany);

constexpr double notNumeric = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

} // namespace

class NumberTextTest : public QObject {
    Q_OBJECT
private slots:
    void readsNumbers_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value"); // notNumeric, or what the text reads as

        const struct {
            const char *name;
            const char *text;
            double inEnglish;
            double inGerman;
        } rows[] = {
            {"whole", "120", 120, 120},
            {"point fraction", "128.5", 128.5, notNumeric},
            {"comma fraction", "128,5", notNumeric, 128.5},
            {"blanks around", " 12 ", 12, 12},
            {"tab and blanks", "\t7  ", 7, 7},
            {"minus", "-3", -3, -3},
            {"plus", "+4", 4, 4},
            {"exponent", "1e3", 1000, 1000},
            {"signed capital exponent", "1E+07", 1e7, 1e7},
            {"negative exponent", "25e-1", 2.5, 2.5},
            {"separator without fraction (en)", "12.", 12, notNumeric},
            {"fraction without digits before (de)", ",5", notNumeric, 0.5},
            {"fraction without digits before (en)", ".5", 0.5, notNumeric},
            {"minus zero", "-0", -0.0, -0.0},
            {"empty", "", notNumeric, notNumeric},
            {"blanks only", "  ", notNumeric, notNumeric},
            {"lone minus", "-", notNumeric, notNumeric},
            {"lone plus", "+", notNumeric, notNumeric},
            {"lone separator", ".", notNumeric, notNumeric},
            {"letter after digits", "12a", notNumeric, notNumeric},
            {"exponent without digits", "1e", notNumeric, notNumeric},
            {"exponent alone", "e5", notNumeric, notNumeric},
            {"exponent sign without digits", "1e+", notNumeric, notNumeric},
            {"digits other than ASCII", "\u0661\u0662", notNumeric, notNumeric},
            {"group separator (en)", "1,000", notNumeric, 1.0},
            {"group separator (de)", "1.000", 1.0, notNumeric},
            {"blank inside", "1 000", notNumeric, notNumeric},
            {"hexadecimal", "0x10", notNumeric, notNumeric},
            {"two signs", "--1", notNumeric, notNumeric},
            {"sign after digits", "5-", notNumeric, notNumeric},
            {"NaN", "NaN", notNumeric, notNumeric},
            {"inf", "inf", notNumeric, notNumeric},
            {"Infinity", "Infinity", notNumeric, notNumeric},
            {"-Infinity", "-Infinity", notNumeric, notNumeric},
            {"too large for a double", "1e400", inf, inf},
            {"too small for a double", "1e-400", 0, 0},
        };
        for (const auto &row : rows) {
            QTest::addRow("en: %s", row.name) << english << QString::fromUtf8(row.text) << row.inEnglish;
            QTest::addRow("de: %s", row.name) << german << QString::fromUtf8(row.text) << row.inGerman;
        }
        const QString tiny = "0." + QString(400, '0') + "1";
        QTest::newRow("en: too small, written out") << english << tiny << 0.0;
        QTest::newRow("de: too small, written out") << german << QString(tiny).replace('.', ',') << 0.0;
    }
    void readsNumbers()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(double, value);
        const std::optional<double> read = numberFromText(text, locale);
        QCOMPARE(isNumericText(text, locale), !std::isnan(value));
        QCOMPARE(read.has_value(), !std::isnan(value));
        if (read) {
            QCOMPARE(*read, value);
            QCOMPARE(std::signbit(*read), std::signbit(value));
        }
    }

    void localeSignsAreAccepted()
    {
        // Swedish writes its minus sign as U+2212.
        const QLocale swedish(QLocale::Swedish, QLocale::Sweden);
        const QString minus = swedish.negativeSign();
        QCOMPARE(numberFromText(minus + "2,5", swedish), std::optional<double>(-2.5));
        QCOMPARE(numberFromText("-2,5", swedish), std::optional<double>(-2.5));
        QVERIFY(!isNumericText(minus, swedish));
    }

    void writesTempos_data()
    {
        QTest::addColumn<float>("bpm");
        QTest::addColumn<QString>("inEnglish");
        QTest::addColumn<QString>("inGerman");
        QTest::newRow("whole") << 120.0f << "120" << "120";
        QTest::newRow("130") << 130.0f << "130" << "130";
        QTest::newRow("fraction") << 128.5f << "128.5" << "128,5";
        QTest::newRow("float noise is cut at seven digits") << 128.3f << "128.3" << "128,3";
        QTest::newRow("seven digits") << 123456.7f << "123456.7" << "123456,7";
        QTest::newRow("eight digits switch to an exponent") << 12345678.0f << "1.234568E+07" << "1,234568E+07";
        QTest::newRow("ten million") << 1e7f << "1E+07" << "1E+07";
        QTest::newRow("small") << 0.00001f << "1E-05" << "1E-05";
        QTest::newRow("negative") << -3.25f << "-3.25" << "-3,25";
        QTest::newRow("zero") << 0.0f << "0" << "0";
        QTest::newRow("negative zero") << -0.0f << "0" << "0";
        QTest::newRow("largest float") << std::numeric_limits<float>::max() << "3.402823E+38" << "3,402823E+38";
        QTest::newRow("NaN") << std::numeric_limits<float>::quiet_NaN() << "NaN" << "NaN";
        QTest::newRow("infinity") << std::numeric_limits<float>::infinity() << "Infinity" << "Infinity";
        QTest::newRow("minus infinity") << -std::numeric_limits<float>::infinity() << "-Infinity" << "-Infinity";
    }
    void writesTempos()
    {
        QFETCH(float, bpm);
        QFETCH(QString, inEnglish);
        QFETCH(QString, inGerman);
        QCOMPARE(bpmText(bpm, english), inEnglish);
        QCOMPARE(bpmText(bpm, german), inGerman);

        // What is shown must read back as the same tempo, to seven digits,
        // or a restore would be refused by the very test it has to pass.
        for (const QLocale &locale : {english, german}) {
            const QString text = bpmText(bpm, locale);
            QCOMPARE(isNumericText(text, locale), std::isfinite(bpm));
            if (std::isfinite(bpm)) {
                const float back = float(*numberFromText(text, locale));
                QCOMPARE(bpmText(back, locale), text);
            }
        }
    }
};

QTEST_MAIN(NumberTextTest)
#include "tst_number_text.moc"
