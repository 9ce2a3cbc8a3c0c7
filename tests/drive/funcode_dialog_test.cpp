// The function-code settings dialog against the simulated drive: in-place
// editing with its input checks, reading and writing ticked rows, and the
// drive's own limits.
#include "ui/funcode/ecam_func_set_dlg.h"
#include "ui/funcode/my_combo_box.h"
#include "ui/funcode/my_list_ctrl.h"
#include "tests/support/sim_link.h"
#include "tests/support/modal_ui_recorder.h"
#include "ui/spec_edit.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QTest>

namespace {

class FunCodeDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(link.Bind());
        dlg = std::make_unique<CECamFuncSetDlg>(&link.access, modal);
        dlg->show();
        list = dlg->List();
    }

    int RowOf(const char* number) const
    {
        for (int r = 0; r < list->rowCount(); ++r)
            if (list->GetItemText(r, 0) == QLatin1String(number))
                return r;
        return -1;
    }
    CFunCode* Code(const char* number) const { return dlg->Rows()[static_cast<std::size_t>(RowOf(number))]; }
    void DoubleClick(int row, int col)
    {
        const QRect r = list->visualRect(list->model()->index(row, col));
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
    }
    // Types text into the value cell of a plain parameter and presses Enter.
    void Type(const char* number, const char* text)
    {
        DoubleClick(RowOf(number), 2);
        ASSERT_TRUE(list->CellEdit() && list->CellEdit()->isVisible());
        list->CellEdit()->selectAll();
        QTest::keyClick(list->CellEdit(), Qt::Key_Delete);
        QTest::keyClicks(list->CellEdit(), QString::fromUtf8(text));
        QTest::keyClick(list->CellEdit(), Qt::Key_Return);
        QTRY_VERIFY(!list->CellEdit()->isVisible());
    }
    // Clicks a button; returns the last message shown.
    QString Button(int id)
    {
        QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("idc%1").arg(id)), Qt::LeftButton);
        return boxes.Calls().empty() ? QString() : boxes.Calls().back().text;
    }

    SimLink link;
    CModalUiRecorder modal;
    CModalUiRecorder::Boxes& boxes = modal.boxes;
    std::unique_ptr<CECamFuncSetDlg> dlg;
    CMyListCtrl* list = nullptr;
};

} // namespace

// Every text of the list (title, headings, each cell) is pinned by the
// language walk; here, that each lies in view and is shown whole.
TEST_F(FunCodeDialog, ListsTheCamParametersFromTheCatalogueEachCellShownWhole)
{
    EXPECT_EQ(list->ValueColumn(), 2);
    // Every column, the limits last, lies in view without scrolling.
    EXPECT_LE(list->columnViewportPosition(6) + list->columnWidth(6), list->viewport()->width());
    // Columns grow to their texts: the limits of H1B-12 (-1073741824) were drawn as "-10737…".
    QStyle* style = list->style();
    const int cellMargin = 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1) + 1;
    const QFontMetrics fm = list->fontMetrics();
    for (int c = 1; c < list->columnCount(); ++c) {
        const int textWidth = list->columnWidth(c) - cellMargin;
        for (int r = 0; r < list->rowCount(); ++r) {
            const QString text = list->GetItemText(r, c);
            EXPECT_EQ(fm.elidedText(text, Qt::ElideRight, textWidth), text) << "row " << r << " column " << c;
        }
        const QString heading = list->horizontalHeaderItem(c)->text();
        EXPECT_LE(list->horizontalHeader()->fontMetrics().horizontalAdvance(heading), list->columnWidth(c)) << c;
    }

    // A current value that matches no option is shown as the number, marked.
    Code("H1B-07")->m_nCurValue = 9;
    CECamFuncSetDlg again(&link.access, modal);
    EXPECT_EQ(again.List()->GetItemText(RowOf("H1B-07"), 2), QString::fromUtf8("9 (不在选项中)"));
    Code("H1B-07")->m_nCurValue = 1;
}

TEST_F(FunCodeDialog, CellInputIsCheckedRangeFirstThenEmptyThenDecimal)
{
    Type("H1B-11", "20000");
    Type("H1B-11", "12.5");          // 12 lies in 0..10000: the decimal point is the fault
    Type("H1B-16", "");              // empty reads as 0, outside 1..65535
    Type("H1B-10", "");              // 0 inside -3600..3600: reported as empty
    Type("H1B-16", "0.5");           // 0 outside: the range message wins over the decimal
    const QStringList expected = {QString::fromUtf8("数据有效范围:【0-10000】"), QString::fromUtf8("请输入整形数据!"),
                                  QString::fromUtf8("数据有效范围:【1-65535】"), QString::fromUtf8("数据不能为空!"),
                                  QString::fromUtf8("数据有效范围:【1-65535】")};
    EXPECT_EQ(boxes.Texts(), expected);
    for (const MessageBoxCall& c : boxes.Calls())
        EXPECT_EQ(std::pair(c.caption, c.icon), std::pair(QString::fromUtf8("输入错误"), MB_ICONERROR));
    // Rejected input leaves cells, ticks and amended values alone.
    EXPECT_EQ(list->GetItemText(RowOf("H1B-11"), 2), QStringLiteral("100"));
    for (int r = 0; r < list->rowCount(); ++r)
        EXPECT_FALSE(list->GetCheck(r)) << r;

    // The previous text typed back closes the edit without ticking.
    const uint32_t amendBefore = Code("H1B-11")->m_nAmendValue;
    Type("H1B-11", "100");
    EXPECT_FALSE(list->GetCheck(RowOf("H1B-11")));
    EXPECT_EQ(Code("H1B-11")->m_nAmendValue, amendBefore);

    Type("H1B-10", "-250");
    EXPECT_EQ(list->GetItemText(RowOf("H1B-10"), 2), QStringLiteral("-250"));
    EXPECT_TRUE(list->GetCheck(RowOf("H1B-10")));
    EXPECT_EQ(static_cast<int32_t>(Code("H1B-10")->m_nAmendValue), -250);
    EXPECT_EQ(boxes.Calls().size(), 5u);

    // Only the value column opens an editor; a click on no cell opens none.
    list->CellEdit()->hide();
    DoubleClick(RowOf("H1B-11"), 3);
    EXPECT_FALSE(list->CellEdit()->isVisible());
    list->OnCellDoubleClick(-1, -1);
    EXPECT_EQ(list->EditRow(), -1);
}

TEST_F(FunCodeDialog, OptionComboSetsTheAmendedValueAndWritesReachTheDrive)
{
    const int row = RowOf("H1B-06");
    DoubleClick(row, 2);
    CMyComboBox* combo = list->CellCombo();
    ASSERT_TRUE(combo && combo->isVisible());
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->currentText(), QString::fromUtf8("1-DI信号启动"));
    combo->hidePopup();
    combo->setCurrentIndex(2);   // the user's choice
    QTRY_VERIFY(!combo->isVisible());
    EXPECT_EQ(list->GetItemText(row, 2), QString::fromUtf8("2-通讯启动"));
    EXPECT_TRUE(list->GetCheck(row));
    EXPECT_EQ(Code("H1B-06")->m_nAmendValue, 2u);

    Type("H1B-11", "250");
    Button(6020);
    EXPECT_EQ(boxes.Texts(), QStringList{QString::fromUtf8("写入成功!")});
    ecamtest::ExpectRegs(*link.sim, {{0x1B06, 2}, {0x1B0B, 250}});
    EXPECT_EQ(Code("H1B-11")->m_nCurValue, 250u);

    // The drive refuses a value beyond its limits: earlier rows stay written.
    link.sim->SetRegister(0x1B06, 0);
    Code("H1B-16")->SetAmendValue(0);   // below the drive's minimum of 1
    list->SetCheck(RowOf("H1B-16"), true);
    EXPECT_EQ(Button(6020), QString::fromUtf8("写入数据失败!"));
    ecamtest::ExpectRegs(*link.sim, {{0x1B06, 2}, {0x1B10, 3000}});
}

TEST_F(FunCodeDialog, ReadTickedRowsSelectAllAndKeysThatDoNotClose)
{
    EXPECT_EQ(Button(6019), QString::fromUtf8("请选择要读取的参数!"));
    EXPECT_EQ(Button(6020), QString::fromUtf8("请选择要写入的参数!"));

    ecamtest::SetRegs(*link.sim, {{0x1B07, 0}, {0x1B0A, -900}});
    QTest::mouseClick(dlg->SelectAllBox(), Qt::LeftButton);
    for (int r = 0; r < list->rowCount(); ++r)
        EXPECT_TRUE(list->GetCheck(r)) << r;
    EXPECT_EQ(Button(6019), QString::fromUtf8("读取成功!"));
    EXPECT_EQ(list->GetItemText(RowOf("H1B-07"), 2), QString::fromUtf8("0-单次运行"));
    EXPECT_EQ(list->GetItemText(RowOf("H1B-10"), 2), QStringLiteral("-900"));
    QTest::mouseClick(dlg->SelectAllBox(), Qt::LeftButton);
    EXPECT_FALSE(list->GetCheck(0));

    QTest::keyClick(dlg.get(), Qt::Key_Escape);
    QTest::keyClick(dlg.get(), Qt::Key_Return);
    EXPECT_TRUE(dlg->isVisible());

    // A drive that went away: nothing is touched, one message.
    list->SetCheck(0, true);
    link.sim->Stop();
    boxes.Clear();
    Button(6019);
    EXPECT_EQ(boxes.Texts(), QStringList{QString::fromUtf8("读取数据失败!")});
}

TEST(FunCodeDialogUnbound, NoDriveMeansNotConnected)
{
    CFunCodeAccess unbound;   // never bound: no device info, no catalogue
    CModalUiRecorder modal;
    CECamFuncSetDlg dlg(&unbound, modal);
    EXPECT_EQ(dlg.List()->rowCount(), 0);
    dlg.OnBtnRead();
    dlg.OnBtnWrite();
    EXPECT_EQ(modal.boxes.Texts(), (QStringList{QString::fromUtf8("串口未连接!"), QString::fromUtf8("串口未连接!")}));

    // A drive that has gone away: the same first line, and why underneath.
    SimLink link;
    ASSERT_TRUE(link.Bind());
    const QString port = QString::number(link.sim->Port());
    link.sim->Stop();
    CECamFuncSetDlg stopped(&link.access, modal);
    stopped.OnBtnRead();
    EXPECT_EQ(modal.boxes.Texts().back(), QString::fromUtf8("串口未连接!\n连接被拒绝: 127.0.0.1:%1 上没有程序在监听").arg(port));
}
