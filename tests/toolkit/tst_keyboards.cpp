#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "toolkit/NumberAndLetterKeyboard.h"
#include "toolkit/NumberKeyboard.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {
// A step of a sequence is a key, or "setup:TEXT" / "setup-absent" for setupValue().
const QString kSetupPrefix = QStringLiteral("setup:");
const QString kSetupAbsent = QStringLiteral("setup-absent");

// One notification as "click:VALUE", "ok:VALUE" or "close", with markers for an unexpected object.
QString describe(const Notification &n)
{
    QString tag;
    if (n.name == Notify::NumberKeyboardClick)
        tag = QStringLiteral("click");
    else if (n.name == Notify::NumberKeyboardOkClick)
        tag = QStringLiteral("ok");
    else
        tag = QStringLiteral("close");
    if (!n.object.isValid())
        return tag;
    if (n.object.typeId() != QMetaType::QString)
        return tag + QStringLiteral(":<not a string>");
    return tag + QLatin1Char(':') + n.object.toString();
}

std::unique_ptr<KeyboardBase> makeKeypad(const QString &kind)
{
    if (kind == QLatin1String("numeric"))
        return std::make_unique<NumberKeyboard>();
    return std::make_unique<NumberAndLetterKeyboard>();
}
} // namespace

class TestKeyboards : public QObject {
    Q_OBJECT
private:
    QObject *observer = nullptr;
    QStringList received;

private slots:
    void init()
    {
        received.clear();
        observer = new QObject(this);
        for (const QString &name :
             {Notify::NumberKeyboardClick, Notify::NumberKeyboardOkClick, Notify::NumberKeyboardCoseClick})
            NotificationCenter::defaultCenter().addObserver(
                observer, name, [this](const Notification &n) { received.append(describe(n)); });
    }
    void cleanup() { delete observer; }

    void sequences_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("notifications");

        const QString del = KeyboardBase::kKeyDelete;
        const QString clear = KeyboardBase::kKeyClear;
        const QString ok = KeyboardBase::kKeyOk;
        const QString close = KeyboardBase::kKeyClose;
        // Digits, dots, delete on empty, ok, close and letters are tapped through the keypads' views too.
        using L = QStringList;

        QTest::newRow("dot on empty") << "numeric" << L{"."} << "" << L{"click:"};
        QTest::newRow("dot after cleared value")
            << "numeric" << L{"1", clear, "."} << "" << L{"click:1", "click:", "click:"};
        QTest::newRow("dot on set-up value with a dot")
            << "numeric" << L{"setup:2.5", "."} << "2.5" << L{"click:2.5"};
        QTest::newRow("setup then delete") << "numeric" << L{"setup:123", del} << "12" << L{"click:12"};
        QTest::newRow("delete a whole code point")
            << "alnum" << L{QStringLiteral("setup:A\U0001F600"), del} << "A" << L{"click:A"};
        QTest::newRow("absent setup keeps the value")
            << "numeric" << L{"4", "2", kSetupAbsent, "1"} << "421" << L{"click:4", "click:42", "click:421"};
        QTest::newRow("empty setup empties the value")
            << "numeric" << L{"4", "setup:", "7"} << "7" << L{"click:4", "click:7"};
        QTest::newRow("clear") << "numeric" << L{"setup:88", clear, clear} << "" << L{"click:", "click:"};
        QTest::newRow("ok keeps the value")
            << "numeric" << L{"5", ok, "6"} << "56" << L{"click:5", "ok:5", "click:56"};
        QTest::newRow("ok on empty") << "numeric" << L{ok} << "" << L{"ok:"};
        QTest::newRow("letters refused on numeric")
            << "numeric" << L{"1", "A", "Z", "2"} << "12" << L{"click:1", "click:12"};
        QTest::newRow("unknown keys ignored")
            << "numeric" << L{"", "12", "x", "OK", "确定", "清空"} << "" << L{};
        QTest::newRow("dot refused on alphanumeric") << "alnum" << L{"A", "."} << "A" << L{"click:A"};
        QTest::newRow("small letters refused") << "alnum" << L{"a", "B"} << "B" << L{"click:B"};
        QTest::newRow("alphanumeric editing keys")
            << "alnum" << L{"setup:XY", del, "Q", ok, clear, close} << ""
            << L{"click:X", "click:XQ", "ok:XQ", "click:", "close"};
    }
    void sequences()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, steps);
        QFETCH(QString, value);
        QFETCH(QStringList, notifications);

        auto keypad = makeKeypad(kind);
        for (const QString &step : steps) {
            if (step == kSetupAbsent)
                keypad->setupValue(std::nullopt);
            else if (step.startsWith(kSetupPrefix))
                keypad->setupValue(step.mid(kSetupPrefix.size()));
            else
                keypad->click(step);
        }
        QCOMPARE(keypad->getValue(), value);
        QCOMPARE(keypad->property("value").toString(), value);
        QCOMPARE(received, notifications);
    }

    void valueChangedOnlyOnChange()
    {
        NumberKeyboard keypad;
        QSignalSpy changed(&keypad, &KeyboardBase::valueChanged);
        keypad.click(QStringLiteral("."));
        keypad.click(KeyboardBase::kKeyDelete);
        QCOMPARE(changed.count(), 0);
        keypad.click(QStringLiteral("3"));
        keypad.click(KeyboardBase::kKeyOk);
        keypad.setupValue(QStringLiteral("3"));
        QCOMPARE(changed.count(), 1);
        keypad.setupValue(QStringLiteral("30"));
        QMetaObject::invokeMethod(&keypad, "click", Q_ARG(QString, KeyboardBase::kKeyClear));
        QCOMPARE(changed.count(), 3);
        QCOMPARE(received.last(), QStringLiteral("click:"));
    }
};

QTEST_GUILESS_MAIN(TestKeyboards)
#include "tst_keyboards.moc"
