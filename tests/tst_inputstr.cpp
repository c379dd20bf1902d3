// The input dialog, driven through the real dialog in both looks.
#include "Dialogs.h"
#include "UnitInputStr.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

using Drive = std::function<void(gl::TfrmInputStr*)>;

namespace {

// Runs the common input routine while `drive` works the dialog it opens.
QString runInput(const Drive& drive, const QString& prompt = {}, const QString& caption = {},
                 const QString& def = {}, QString* title = nullptr, QString* label = nullptr)
{
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<gl::TfrmInputStr*>(QApplication::activeModalWidget());
        if (!dlg)
            return;
        if (title)
            *title = dlg->windowTitle();
        if (label)
            *label = dlg->lblShow->text();
        drive(dlg);
    });
    return gl::InputStr(prompt, caption, def);
}

void typeAndPress(gl::TfrmInputStr* dlg, const QString& text, Qt::Key key)
{
    QTest::keyClicks(dlg->editInput, text);
    QTest::keyClick(dlg->editInput, key);
}

} // namespace

class TestInputStr : public QObject {
    Q_OBJECT
private slots:
    void answers_data();
    void answers();
    void buttonsConfirmAndCancel();
    void captionPromptAndDefault();
};

void TestInputStr::answers_data()
{
    QTest::addColumn<int>("look");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("expected");
    for (int look : {int(gl::DialogLook::Till), int(gl::DialogLook::Office)}) {
        const char* name = look == int(gl::DialogLook::Till) ? "till" : "office";
        QTest::addRow("%s: OK", name) << look << "12.5" << int(Qt::Key_Return) << "12.5";
        QTest::addRow("%s: keypad Enter", name) << look << "abc" << int(Qt::Key_Enter) << "abc";
        QTest::addRow("%s: blanks kept", name) << look << "  x  " << int(Qt::Key_Return) << "  x  ";
        QTest::addRow("%s: only blanks", name) << look << "   " << int(Qt::Key_Return) << "   ";
        QTest::addRow("%s: OK on empty", name) << look << "" << int(Qt::Key_Return) << "";
        QTest::addRow("%s: Esc", name) << look << "typed" << int(Qt::Key_Escape) << "";
        QTest::addRow("%s: quote", name) << look << "O'Neil" << int(Qt::Key_Return) << "O'Neil";
    }
}

void TestInputStr::answers()
{
    QFETCH(int, look);
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(QString, expected);
    gl::setDialogLook(gl::DialogLook(look));
    const QString got =
        runInput([&](gl::TfrmInputStr* dlg) { typeAndPress(dlg, typed, Qt::Key(key)); });
    QCOMPARE(got, expected);
    QCOMPARE(got.isEmpty(), expected.isEmpty());
}

void TestInputStr::buttonsConfirmAndCancel()
{
    gl::setDialogLook(gl::DialogLook::Till);
    QCOMPARE(runInput([](gl::TfrmInputStr* dlg) {
                 QTest::keyClicks(dlg->editInput, "7");
                 QTest::mouseClick(dlg->btnOK, Qt::LeftButton);
             }),
             QString("7"));
    QCOMPARE(runInput([](gl::TfrmInputStr* dlg) {
                 QTest::keyClicks(dlg->editInput, "7");
                 QTest::mouseClick(dlg->btnCC, Qt::LeftButton);
             }),
             QString());
}

void TestInputStr::captionPromptAndDefault()
{
    gl::setDialogLook(gl::DialogLook::Till);
    QString title, label;
    const QString kept =
        runInput([](gl::TfrmInputStr* dlg) { QTest::keyClick(dlg->editInput, Qt::Key_Return); }, {}, {}, {},
                 &title, &label);
    QCOMPARE(kept, QString());
    QCOMPARE(title, QStringLiteral("输入"));
    QCOMPARE(label, QStringLiteral("请输入："));

    const QString got = runInput([](gl::TfrmInputStr* dlg) { QTest::keyClick(dlg->editInput, Qt::Key_Return); },
                                 QStringLiteral("请输入商品数量："), QStringLiteral("修改商品数量"),
                                 QStringLiteral("3"), &title, &label);
    QCOMPARE(got, QString("3"));
    QCOMPARE(title, QStringLiteral("修改商品数量"));
    QCOMPARE(label, QStringLiteral("请输入商品数量："));

    gl::TfrmInputStr dlg(nullptr, gl::DialogLook::Till);
    QCOMPARE(dlg.btnOK->text(), QStringLiteral("确定(ENTER)"));
    QCOMPARE(dlg.btnCC->text(), QStringLiteral("取消(ESC)"));
    QVERIFY(dlg.btnOK->isFlat());
}

QTEST_MAIN(TestInputStr)
#include "tst_inputstr.moc"
