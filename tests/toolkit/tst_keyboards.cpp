#include "TestRows.h"
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
    const QString tag = QLatin1String(n.name == Notify::NumberKeyboardClick     ? "click"
                                      : n.name == Notify::NumberKeyboardOkClick ? "ok"
                                                                                : "close");
    if (!n.object.isValid())
        return tag;
    if (n.object.typeId() != QMetaType::QString)
        return tag + QStringLiteral(":<not a string>");
    return tag + QLatin1Char(':') + n.object.toString();
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
        columns<QString, QStringList, QString, QStringList>("kind", "steps", "value", "notifications");

        const QString del = KeyboardBase::kKeyDelete, clear = KeyboardBase::kKeyClear,
                      ok = KeyboardBase::kKeyOk, close = KeyboardBase::kKeyClose,
                      num = QStringLiteral("numeric"), alnum = QStringLiteral("alnum");
        // Digits, dots, delete on empty, ok, close and letters are tapped through the keypads' views too.
        const auto row = [](const char *name, const QString &kind, const QStringList &steps,
                            const QString &value, const QStringList &notifications) {
            QTest::newRow(name) << kind << steps << value << notifications;
        };
        row("dot after cleared value", num, {"1", clear, "."}, "", {"click:1", "click:", "click:"});
        row("dot on set-up value with a dot", num, {"setup:2.5", "."}, "2.5", {"click:2.5"});
        row("delete a whole code point", alnum, {QStringLiteral("setup:A\U0001F600"), del}, "A", {"click:A"});
        row("absent setup keeps the value", num, {"4", "2", kSetupAbsent, "1"}, "421",
            {"click:4", "click:42", "click:421"});
        row("empty setup empties the value", num, {"4", "setup:", "7"}, "7", {"click:4", "click:7"});
        row("ok keeps the value", num, {"5", ok, "6"}, "56", {"click:5", "ok:5", "click:56"});
        row("letters refused on numeric", num, {"1", "A", "Z", "2"}, "12", {"click:1", "click:12"});
        row("unknown keys ignored", num, {"", "12", "x", "OK", "确定", "清空"}, "", {});
        row("dot refused on alphanumeric", alnum, {"A", "."}, "A", {"click:A"});
        row("small letters refused", alnum, {"a", "B"}, "B", {"click:B"});
        row("alphanumeric editing keys", alnum, {"setup:XY", del, "Q", ok, clear, close}, "",
            {"click:X", "click:XQ", "ok:XQ", "click:", "close"});
    }
    void sequences()
    {
        auto [kind, steps, value, notifications] =
            row<QString, QStringList, QString, QStringList>("kind", "steps", "value", "notifications");

        std::unique_ptr<KeyboardBase> keypad(kind == QLatin1String("numeric")
                                                 ? static_cast<KeyboardBase *>(new NumberKeyboard)
                                                 : new NumberAndLetterKeyboard);
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
