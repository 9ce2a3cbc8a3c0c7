// A thousand seeded random user actions on the cam panel: after each one the
// rows show exactly the cam, masters keep their order and gap, and what the
// action asked for is in the cam; then undo and redo walk the whole way.
#include "cam/point_list_diff.h"
#include "drive/cam_table.h"
#include "files/ecam_file.h"
#include "host/device_manage.h"
#include "host/logic_manage.h"
#include "tests/support/panel_harness.h"
#include "tests/support/sim_drive.h"

#include <QTemporaryDir>
#include <QWheelEvent>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <random>

namespace {

constexpr double kGap = 0.002;
const QString kAdd = QStringLiteral("添加点");
const QString kDelete = QStringLiteral("删除点");

enum class End { kEnter, kTab, kEscape, kFocusLoss, kPlotPress, kPlotRightPress, kPopupFocusThenEscape };

// A line, a point off the three-decimal grid and blends.
const std::vector<ECamPoint> kStart{Pt(0, 0, 0, kECamPoly), Pt(100, 50, 0.5, kECamLinear),
                                    Pt(200.0004, 100.0006, 0.257, kECamPoly), Pt(300, 100, 0, kECamPoly),
                                    Pt(1000, 0, 0, kECamPoly)};

}  // namespace

class TableEditProperty : public WidePanelTest {
protected:
    // Reproducible by default; ECAM_PROPERTY_SEED tries another sequence.
    std::mt19937 rng{static_cast<unsigned>(qEnvironmentVariableIntValue("ECAM_PROPERTY_SEED")) ^ 20240611u};

    int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    double Real(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); }
    // A number as a user types it: 0 to 6 decimals, now and then with text
    // after it (ignored) or no number at all (read as 0).
    QString Number(double v)
    {
        const int form = Uniform(0, 19);
        return form == 0 ? QStringLiteral("abc")
                         : QString::asprintf("%.*f%s", Uniform(0, 6), v, form == 1 ? "abc" : "");
    }
    static std::vector<double> Masters(const std::vector<ECamPoint>& points)
    {
        std::vector<double> out;
        for (const ECamPoint& p : points)
            out.push_back(p.master);
        return out;
    }

    QWidget* OpenEditor(int row, int col)
    {
        if (Uniform(0, 3) == 0) {  // the keyboard: focus by click, open by F2 or Return
            QTest::mouseClick(Table()->viewport(), Qt::LeftButton, {}, CellCenter(row, col));
            if (!Table()->GetActiveEditor())
                QTest::keyClick(Table(), Uniform(0, 1) ? Qt::Key_F2 : Qt::Key_Return);
            return Table()->GetActiveEditor();
        }
        for (int i = 0; i < 2 && !Table()->GetActiveEditor(); ++i)
            QTest::mouseClick(Table()->viewport(), Qt::LeftButton, {}, CellCenter(row, col));
        return Table()->GetActiveEditor();
    }

    void Finish(QWidget* editor, End end)
    {
        switch (end) {
        case End::kEnter: QTest::keyClick(editor, Qt::Key_Return); break;
        case End::kTab: QTest::keyClick(editor, Qt::Key_Tab); break;
        case End::kEscape: QTest::keyClick(editor, Qt::Key_Escape); break;
        case End::kFocusLoss: Edit(IDC_EDIT_UNIT)->setFocus(Qt::MouseFocusReason); break;
        case End::kPlotPress: QTest::mouseClick(AccelCurve(), Qt::LeftButton, {}, QPoint(3, 3)); break;
        case End::kPlotRightPress: QTest::mouseClick(PositionCurve(), Qt::RightButton, {}, QPoint(5, 5)); break;
        case End::kPopupFocusThenEscape:   // a field focused from a popup leaves the edit open; a key there ends it
            Edit(IDC_EDIT_UNIT)->setFocus(Qt::PopupFocusReason);
            EXPECT_EQ(Table()->GetActiveEditor(), editor);
            QTest::keyClick(Edit(IDC_EDIT_UNIT), Qt::Key_Escape);
            break;
        }
    }

    // One cell edit, ended in one of the ways a user ends it. Now and then
    // the shown text is accepted as it is: the start cam has more decimals
    // than the rows show, and they must not be written back.
    void CellEdit()
    {
        const auto before = Points();
        const int n = static_cast<int>(before.size());
        const int row = Uniform(0, n - 1), col = Uniform(kColMaster, kColType);
        const End end = static_cast<End>(Uniform(0, 6));
        const bool retyped = Uniform(0, 5) != 0;
        QWidget* editor = OpenEditor(row, col);
        ASSERT_NE(editor, nullptr) << row << "," << col;
        const ECamPoint& p = before[static_cast<size_t>(row)];
        const size_t boxesBefore = boxes.Calls().size();

        // The typed field must hold the number read from the text; the kept
        // field stays (the point set may re-derive the others).
        QString text;
        double ECamPoint::*typed = &ECamPoint::speed;
        double ECamPoint::*kept = &ECamPoint::master;
        bool fits = true;
        if (col == kColMaster) {
            const double lo = row > 0 ? before[static_cast<size_t>(row - 1)].master : p.master - 50;
            const double hi = row + 1 < n ? before[static_cast<size_t>(row + 1)].master : p.master + 500;
            if (Uniform(0, 5) == 0)
                text = Number(Uniform(0, 1) ? hi + Real(0, 5) : lo - Real(0, 5));
            else if (hi - lo > 3 * kGap)
                text = QString::asprintf("%.6f", Real(lo + 1.5 * kGap, hi - 1.5 * kGap));
            else
                text = QString::asprintf("%.9f", p.master);
            const double v = std::strtod(text.toLatin1().constData(), nullptr);
            fits = (row == 0 || v - lo >= kGap) && (row + 1 >= n || hi - v >= kGap);
            typed = &ECamPoint::master;
            kept = &ECamPoint::slave;
        } else if (col == kColSlave) {
            text = Number(Real(-500, 500));
            typed = &ECamPoint::slave;
        } else if (col == kColSpeed) {
            text = Number(Real(-5, 5));
        }
        const bool toLinear = p.type != kECamLinear;
        if (retyped && col == kColType) {
            QTest::keyClick(editor, toLinear ? Qt::Key_Down : Qt::Key_Up);
        } else if (retyped) {
            QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(editor, text);
        }
        Finish(editor, end);
        ASSERT_EQ(Table()->GetActiveEditor(), nullptr);

        const bool changes = retyped && end != End::kEscape && end != End::kPopupFocusThenEscape;
        const ECamPoint q = Points()[static_cast<size_t>(row)];
        if (!changes || !fits)
            EXPECT_EQ(Points(), before) << text.toStdString();
        else if (col == kColType)
            EXPECT_EQ(q.type, toLinear ? kECamLinear : kECamPoly);
        else
            EXPECT_TRUE(q.*typed == std::strtod(text.toLatin1().constData(), nullptr) && q.*kept == p.*kept)
                << text.toStdString() << " in row " << row << ", column " << col;
        EXPECT_EQ(boxes.Calls().size(), boxesBefore + (changes && !fits ? 1 : 0));
    }

    void MenuAction()
    {
        const auto before = Points();
        const int n = static_cast<int>(before.size());
        const int row = Uniform(0, n - 1);
        const bool add = n < 4 || (n < 14 && Uniform(0, 1) == 0);
        const size_t boxesBefore = boxes.Calls().size();
        const QStringList offered = ChooseFromRowMenu(row, add ? kAdd : kDelete);
        const auto after = Points();
        EXPECT_FALSE(offered.isEmpty()) << "row " << row << " of " << n;
        if (add && boxes.Calls().size() == boxesBefore) {
            ASSERT_EQ(after.size(), before.size() + 1);
            EXPECT_EQ(after[static_cast<size_t>(row)].master, before[static_cast<size_t>(row)].master);
            EXPECT_EQ(after[static_cast<size_t>(row + 1)].type, kECamLinear);
        } else if (!add && row > 0) {
            auto kept = Masters(before);
            kept.erase(kept.begin() + row);
            EXPECT_EQ(Masters(after), kept);
            EXPECT_EQ(boxes.Calls().size(), boxesBefore);
        } else {   // too close to add between, or the first row
            EXPECT_EQ(after, before);
            const QString said = add ? QStringLiteral("相邻两点间距太小，无法在其间增加点!") : QStringLiteral("第一行不能删除!");
            EXPECT_EQ(boxes.Texts().mid(static_cast<int>(boxesBefore)), QStringList{said});
        }
    }

    // A key point dragged in the position or speed plot, released inside or
    // outside the window, sometimes while a cell editor is open.
    void PlotDrag()
    {
        CECamCurveWnd* plot = Uniform(0, 1) ? PositionCurve() : SpeedCurve();
        const auto keys = plot->KeyPoints();
        if (keys.size() < 2)
            return;
        const int row = Uniform(1, static_cast<int>(keys.size()) - 1);
        const int edited = Uniform(0, static_cast<int>(keys.size()) - 1);
        const QString speed = Number(Real(-5, 5));
        QWidget* editor = Uniform(0, 3) == 0 ? OpenEditor(edited, kColSpeed) : nullptr;
        if (editor) {
            QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(editor, speed);
        }
        const QPoint from = plot->DataToPixel(keys[static_cast<size_t>(row)]);
        const QPoint to = from + QPoint(Uniform(-30, 30), Uniform(-40, 40));
        QTest::mousePress(plot, Qt::LeftButton, {}, from);
        // The plot takes no focus: the press itself lands the edit, before the drag.
        ASSERT_EQ(Table()->GetActiveEditor(), nullptr);
        if (editor) {
            EXPECT_EQ(Points()[static_cast<size_t>(edited)].speed, std::strtod(speed.toLatin1().constData(), nullptr));
        }
        QTest::mouseMove(plot, (from + to) / 2);
        QTest::mouseMove(plot, to);
        QTest::mouseRelease(plot, Qt::LeftButton, {}, Uniform(0, 4) == 0 ? QPoint(plot->width() + 20, to.y()) : to);
    }

    // A new master length that keeps every gap: the cam is scaled by it.
    void MasterLength()
    {
        const auto before = Points();
        double minGap = 1e300;
        for (size_t i = 1; i < before.size(); ++i)
            minGap = std::min(minGap, before[i].master - before[i - 1].master);
        const double last = before.back().master;
        const double least = std::ceil(last * 2.5 * kGap / minGap);
        const int length = static_cast<int>(std::max(least, 10.0)) + Uniform(0, 5000);
        if (length > 1000000)
            return;
        TypeMasterLength(QString::number(length), Qt::Key_Return);
        EXPECT_DOUBLE_EQ(Points().back().master, length);
        // The user goes on elsewhere: the field, left with the focus, would
        // otherwise apply its length again to whatever the hidden range
        // buttons (which no press reaches) did to the cam meanwhile.
        QTest::mouseClick(Table()->viewport(), Qt::LeftButton, {}, CellCenter(0, kColId));
    }

    // Range delete or insert through the row-range dialog, sometimes with a
    // start or count out of range, sometimes cancelled.
    void RangeAction()
    {
        const auto before = Points();
        const int n = static_cast<int>(before.size());
        const bool insert = n < 4 || (n < 20 && Uniform(0, 1) == 0);
        const int start = Uniform(0, 5) == 0 ? Uniform(-1, n + 2) : Uniform(insert ? 1 : 2, n);
        const int count = Uniform(0, 8) == 0 ? Uniform(-2, 0) : Uniform(1, insert ? 4 : 3);
        const bool ok = Uniform(0, 6) != 0;
        const size_t boxesBefore = boxes.Calls().size();
        RunRangeButton(insert ? 6031 : 6030, QString::number(start), QString::number(count), ok);
        const auto after = Points();
        const bool valid = start >= (insert ? 1 : 2) && start <= n && count > 0;
        if (!ok || !valid) {   // a cancelled dialog says nothing
            EXPECT_EQ(after, before);
            const QString said = start < (insert ? 1 : 2) || start > n
                                     ? QStringLiteral("起始行请规范到%1 - %2").arg(insert ? 1 : 2).arg(n)
                                     : QStringLiteral("操作行数必须大于零!");
            EXPECT_EQ(boxes.Texts().mid(static_cast<int>(boxesBefore)), ok ? QStringList{said} : QStringList{});
        } else if (insert) {
            // Either the points went in after the start row or the gap was
            // too narrow and the cam stayed.
            if (boxes.Calls().size() == boxesBefore) {
                ASSERT_EQ(after.size(), before.size() + static_cast<size_t>(count));
                EXPECT_EQ(after[static_cast<size_t>(start - 1)].master, before[static_cast<size_t>(start - 1)].master);
            } else {
                EXPECT_EQ(after, before);
            }
        } else {
            // Count rows from the start row, or up to the end.
            auto kept = Masters(before);
            kept.erase(kept.begin() + start - 1, kept.begin() + std::min(start - 1 + count, n));
            EXPECT_EQ(Masters(after), kept);
            EXPECT_EQ(after.front(), before.front());
            EXPECT_EQ(boxes.Calls().size(), boxesBefore);
        }
    }

    // A unit committed by Enter or by focus loss: the labels follow it and
    // the cam does not change.
    void UnitCommit()
    {
        const auto before = Points();
        const QString unit = QStringList{"mm", "degree", QStringLiteral("°"), "pulse", ""}[Uniform(0, 4)];
        QLineEdit* e = Edit(IDC_EDIT_UNIT);
        QTest::mouseClick(e, Qt::LeftButton);
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Backspace);
        QTest::keyClicks(e, unit);
        if (Uniform(0, 1))
            QTest::keyClick(e, Qt::Key_Return);
        else
            QTest::mouseClick(Table()->viewport(), Qt::LeftButton, {}, CellCenter(0, kColId));
        EXPECT_EQ(dlg->GetDlgItemText(IDC_LBL_MASTER_UNIT), unit);
        EXPECT_EQ(Points(), before);
    }

    // The position plot's menu: add a point at a free spot or delete the
    // point under the pointer.
    void PlotMenuAction()
    {
        CECamCurveWnd* plot = PositionCurve();
        const auto keys = plot->KeyPoints();
        if (keys.size() < 2)
            return;
        const bool del = keys.size() > 3 && Uniform(0, 1) == 0;
        QPoint at;
        int target = -1;   // the point whose marker is on top at `at`
        if (del) {
            at = plot->DataToPixel(keys[static_cast<size_t>(Uniform(1, static_cast<int>(keys.size()) - 1))]);
            for (size_t k = 0; k < keys.size(); ++k)
                if (plot->DataToPixel(keys[k]) == at)
                    target = static_cast<int>(k);
        } else {
            const size_t i = static_cast<size_t>(Uniform(0, static_cast<int>(keys.size()) - 2));
            at = (plot->DataToPixel(keys[i]) + plot->DataToPixel(keys[i + 1])) / 2 + QPoint(0, Uniform(-20, 20));
        }
        // Outside the plot area (a point beyond the vertical range) or on
        // the open axis-limit editor, the click opens no plot menu.
        const QRect area = plot->rect().adjusted(CECamCurveWnd::kLeft, CECamCurveWnd::kMargin,
                                                 -CECamCurveWnd::kMargin - 1, -CECamCurveWnd::kMargin - 1);
        if (!area.contains(at) || plot->childAt(at))
            return;
        const std::size_t menusBefore = ui->menus.Calls().size();
        auto masters = Points();
        ui->menus.QueueChoice(del ? QStringLiteral("删除凸轮点") : QStringLiteral("添加凸轮点"));
        QTest::mouseClick(plot, Qt::RightButton, {}, at);
        ASSERT_EQ(ui->menus.Calls().size(), menusBefore + 1);
        ASSERT_EQ(ui->menus.Queued(), 0u);
        EXPECT_TRUE(dlg->CamModel().IsOrdered());
        if (del && target > 0) {   // exactly that point went, close neighbours stay
            masters.erase(masters.begin() + target);
            EXPECT_EQ(Masters(Points()), Masters(masters));
        }
    }

    // A profile of a few random points and its own settings fields, opened
    // through the panel's open command.
    void OpenProfile()
    {
        ecam::ECamProfile profile;
        profile.hostVersion = L"1.0.0.0";
        profile.saveTime = L"2026年12月06日03:00:00";
        const int n = Uniform(2, 8);
        double m = 0;
        twinsOpened = false;
        for (int i = 0; i < n; ++i) {
            profile.points.push_back(Pt(m, Real(-100, 100), Real(-2, 2), Uniform(0, 1)));
            // Now and then a twin closer than the table's gap, whose marker
            // overlaps its neighbour's, as profiles from elsewhere hold them.
            if (i > 0 && i + 1 < n && Uniform(0, 4) == 0) {
                profile.points.push_back(Pt(m + 0.0006, Real(-100, 100), 0, kECamPoly));
                twinsOpened = true;
            }
            m += Real(1, 300);
        }
        // A whole last master, as the master length field shows it: a
        // commit of that field later leaves the masters as they are.
        profile.points.back().master = std::ceil(profile.points.back().master);
        profile.masterLength = std::to_wstring(static_cast<int>(profile.points.back().master));
        profile.unit = Uniform(0, 1) ? L"mm" : L"degree";
        profile.slavePulse = std::to_wstring(Uniform(1, 100000));
        profile.slaveUnits = std::to_wstring(Uniform(1, 1000));
        profile.masterPulse = std::to_wstring(Uniform(1, 100000));
        profile.masterUnits = std::to_wstring(Uniform(1, 1000));
        const QString path = dir.filePath(QStringLiteral("p%1.ecam").arg(++files));
        ASSERT_TRUE(ecam::WriteECamProfileFile(path.toStdString(), profile));
        // Unsaved changes are dropped ("否"), as a user opening another file does.
        QCoreApplication::processEvents();
        const bool modified = dlg->History().Modified();
        if (modified)
            boxes.QueueAnswer(IDNO);
        const size_t boxesBefore = boxes.Calls().size();
        ui->files.QueueAnswer(path);
        QTest::mouseClick(Button(IDC_BTN_IMPORT), Qt::LeftButton);
        EXPECT_EQ(boxes.Calls().size(), boxesBefore + (modified ? 1 : 0));
        EXPECT_EQ(Points().size(), profile.points.size());
        EXPECT_FALSE(dlg->History().Modified());
    }

    // A master length the panel refuses (or the one in force, typed again),
    // by Enter or by a click elsewhere, sometimes undone and redone at once:
    // nothing changes, no step is added, the field shows the length in force.
    void RefusedOrUnchangedLength()
    {
        QCoreApplication::processEvents();
        const Checkpoint before = Now();
        static const char* const kRefused[] = {"5", "9", "1000001", "abc", "-20", ""};
        const bool same = Uniform(0, 2) == 0;
        const QString text = same ? QString::number(dlg->MasterLength()) : QString::fromLatin1(kRefused[Uniform(0, 5)]);
        const size_t boxesBefore = boxes.Calls().size();
        TypeMasterLength(text, Uniform(0, 1) ? Qt::Key_Return : Qt::Key_unknown);
        QTest::mouseClick(Table()->viewport(), Qt::LeftButton, {}, CellCenter(0, kColId));
        QCoreApplication::processEvents();
        ASSERT_NO_FATAL_FAILURE(ExpectAt(before, text.toUtf8().constData()));
        EXPECT_EQ(dlg->History().Index(), before.steps);
        EXPECT_EQ(boxes.Calls().size(), boxesBefore + (same ? 0 : 1)) << text.toStdString();
        if (dlg->History().CanUndo() && Uniform(0, 1)) {
            QTest::keyClick(Table(), Qt::Key_Z, Qt::ControlModifier);
            QTest::keyClick(Table(), Qt::Key_Y, Qt::ControlModifier);
            ASSERT_NO_FATAL_FAILURE(ExpectAt(before, "undo and redo after a refusal"));
        }
    }

    // The profile saved through the panel's save command is the model and
    // the fields as shown; another drive selected keeps both.
    void SaveAndCompare()
    {
        QCoreApplication::processEvents();
        const Checkpoint now = Now();
        dlg->BindSelectedDrive();   // what a connection to another drive does to the panel
        const QString path = dir.filePath(QStringLiteral("saved%1.ecam").arg(++files));
        ui->files.QueueAnswer(path);
        QTest::mouseClick(Button(IDC_BTN_SAVE), Qt::LeftButton);
        ecam::ECamProfile saved;
        ASSERT_TRUE(ecam::ReadECamProfileFile(path.toStdString(), saved));
        // The file keeps six decimals of every value.
        const auto six = [](const std::vector<ECamPoint>& points) {
            QStringList out;
            for (const ECamPoint& p : points)
                out << QString::asprintf("%.6f %.6f %.6f %d", p.master, p.slave, p.speed, p.type);
            return out;
        };
        ASSERT_EQ(six(saved.points), six(now.points));
        EXPECT_EQ(QString::fromStdWString(saved.masterLength), now.fields[0]);
        EXPECT_EQ(QString::fromStdWString(saved.unit), now.fields[1]);
        EXPECT_FALSE(dlg->History().Modified());
        ASSERT_NO_FATAL_FAILURE(ExpectAt(now, "save"));
    }

    // Special points from a two-column sheet, through the import command.
    void ImportSpecial()
    {
        const QString path = dir.filePath(QStringLiteral("s%1.csv").arg(++files));
        {
            std::ofstream out(path.toStdString());
            double m = 0;
            for (int i = 0, n = Uniform(2, 6); i < n; ++i) {
                m += Real(1, 200);
                out << m << "," << Real(-50, 50) << "\n";
            }
        }
        ui->files.QueueAnswer(path);
        QTest::mouseClick(Button(IDC_BTN_SPECIAL_IMPORT), Qt::LeftButton);
    }

    // An action that a running transfer must refuse: it reaches a disabled
    // control, so it changes nothing and opens no editor, dialog or menu.
    void LockedAction()
    {
        const auto keys = PositionCurve()->KeyPoints();
        const int k = Uniform(1, static_cast<int>(keys.size()) - 1);
        const QPoint marker = PositionCurve()->DataToPixel(keys[static_cast<size_t>(k)]);
        switch (Uniform(0, 5)) {
        case 0: OpenEditor(Uniform(0, Table()->GetItemCount() - 1), Uniform(kColMaster, kColType)); break;
        case 1: CurveStroke(PositionCurve(), marker, marker + QPoint(Uniform(-30, 30), Uniform(-40, 40))); break;
        case 2: {   // undo or redo
            QWidget* target = Uniform(0, 1) ? static_cast<QWidget*>(Table()) : dlg;
            QTest::keyClick(target, Uniform(0, 1) ? Qt::Key_Z : Qt::Key_Y, Qt::ControlModifier);
            break;
        }
        case 3: TypeMasterLength(QString::number(Uniform(10, 5000)), Qt::Key_Return); break;
        case 4: Click(Uniform(0, 1) ? IDC_BTN_IMPORT : IDC_BTN_SPECIAL_IMPORT); break;
        default: QTest::mouseClick(PositionCurve(), Qt::RightButton, {}, marker); break;
        }
    }
    static void CurveStroke(QWidget* w, QPoint from, QPoint to)
    {
        QTest::mousePress(w, Qt::LeftButton, {}, from);
        QTest::mouseMove(w, to);
        QTest::mouseRelease(w, Qt::LeftButton, {}, to);
    }

    // A standard write to the simulated drive with a user acting at every
    // progress report, while the worker waits: the panel shows every control
    // that could change the cam disabled and ignores the actions; afterwards
    // the drive holds the cam, and the saved profile is it.
    void WriteWhileActing()
    {
        if (!drive) {
            drive = ecamtest::StartSim();
            auto* devices = CSingleton<CLogicManage>::Instance()->GetDeviceManage();
            ASSERT_TRUE(devices->SelectDevice(drive->Url() + "&timeout=150"));
        }
        if (Edit(IDC_EDIT_UNIT)->text().isEmpty() || Edit(IDC_EDIT_SLAVE_PULSE)->text().isEmpty())
            OpenProfile();   // the write needs a unit and the scaling
        if (Points().size() > static_cast<size_t>(camtable::kStandardMaxPoints) ||
            !Button(IDC_BTN_STD_WRITE)->isEnabled())
            return;
        QCoreApplication::processEvents();
        const Checkpoint before = Now();
        const size_t boxesBefore = boxes.Calls().size(), filesBefore = ui->files.Calls().size();
        const size_t menusBefore = ui->menus.Calls().size();
        int acted = 0;
        const auto c = QObject::connect(Progress(), &QProgressBar::valueChanged, Progress(), [&] {
            if (!dlg->IsTransferRunning() || HasFailure())
                return;
            for (int id : {IDC_TABLE, IDC_CURVE_POSITION, IDC_CURVE_SPEED, IDC_EDIT_MASTER_LEN, IDC_EDIT_UNIT,
                           IDC_BTN_IMPORT, IDC_BTN_SPECIAL_IMPORT, IDC_BTN_INSERT_ROWS})
                EXPECT_FALSE(Item(id)->isEnabled()) << id;
            LockedAction();
            ++acted;
            EXPECT_EQ(Table()->GetActiveEditor(), nullptr);
            ExpectAt(before, "an action during a write");
        });
        QTest::mouseClick(Button(IDC_BTN_STD_WRITE), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!dlg->IsTransferRunning(), 10000);
        QObject::disconnect(c);
        EXPECT_GT(acted, 2);
        EXPECT_EQ(boxes.Texts().mid(static_cast<int>(boxesBefore)), QStringList{QStringLiteral("烧写凸轮点成功!")});
        EXPECT_EQ(ui->files.Calls().size(), filesBefore);
        EXPECT_EQ(ui->menus.Calls().size(), menusBefore);
        ASSERT_NO_FATAL_FAILURE(ExpectAt(before, "after a write"));
        const auto table = camtable::BuildStandardTable(Points());
        ASSERT_EQ(drive->Register(camtable::kAddrPointCount), table.size());
        for (size_t k = 0; k < table.size(); ++k) {
            const uint16_t a = camtable::StandardPointAddress(k);
            const CamTable_Info held{static_cast<int32_t>(drive->Register32(a)),
                                     static_cast<int32_t>(drive->Register32(a + 2)),
                                     static_cast<int16_t>(drive->Register(a + 4)), drive->Register(a + 5)};
            ASSERT_EQ(held, table[k]) << "point " << k;
        }
        ++writes;
        SaveAndCompare();
    }

    // One random action of any kind that can change the cam or its fields;
    // cell edits are the most frequent.
    void AnyAction()
    {
        using Action = void (TableEditProperty::*)();
        static const std::pair<int, Action> kActions[] = {
            {24, &TableEditProperty::CellEdit}, {5, &TableEditProperty::MenuAction},
            {4, &TableEditProperty::RangeAction}, {6, &TableEditProperty::PlotDrag},
            {3, &TableEditProperty::PlotMenuAction}, {2, &TableEditProperty::UnitCommit},
            {3, &TableEditProperty::MasterLength}, {3, &TableEditProperty::OpenProfile},
            {3, &TableEditProperty::ImportSpecial}, {3, &TableEditProperty::RefusedOrUnchangedLength},
            {3, &TableEditProperty::SaveAndCompare}, {1, &TableEditProperty::WriteWhileActing}};
        int kind = Uniform(0, 59);
        for (const auto& [weight, action] : kActions)
            if ((kind -= weight) < 0)
                return (this->*action)();
    }

    struct Checkpoint {
        int steps;
        std::vector<ECamPoint> points;
        QStringList fields;
    };
    Checkpoint Now() const
    {
        Checkpoint c{dlg->History().Index(), Points(), {}};
        for (int id : {IDC_EDIT_MASTER_LEN, IDC_EDIT_UNIT, IDC_EDIT_SLAVE_PULSE, IDC_EDIT_SLAVE_UNITS,
                       IDC_EDIT_MASTER_PULSE, IDC_EDIT_MASTER_UNITS})
            c.fields.push_back(dlg->GetDlgItemText(id));
        for (CECamCurveWnd* plot : {PositionCurve(), SpeedCurve(), AccelCurve()})
            c.fields.push_back(plot->PeakText());   // the read-outs follow the cam, undo and redo too
        return c;
    }
    void ExpectAt(const Checkpoint& c, const char* phase)
    {
        const Checkpoint now = Now();
        ASSERT_TRUE(BitEqual(now.points, c.points)) << phase << " at step " << c.steps;
        ASSERT_EQ(now.fields, c.fields) << phase << " at step " << c.steps;
    }

    QTemporaryDir dir;
    int files = 0;
    std::unique_ptr<CDriveSimulator> drive;
    int writes = 0;
    bool twinsOpened = false;   // the last profile opened held points closer than the gap

    // The rows show exactly the cam; the panel's own placements keep the
    // gap, twins from an opened profile stay in order.
    void ExpectTableIsTheCam(int step)
    {
        const auto pts = Points();
        QStringList want, shown;
        for (size_t i = 0; i < pts.size(); ++i) {
            const ECamPoint& p = pts[i];
            want << QString::asprintf("%zu %.3f %.3f %.2f %s", i, p.master, p.slave, p.speed,
                                      p.type == kECamLinear ? "Linear" : "Poly");
            if (i > 0) {
                ASSERT_GE(p.master - pts[i - 1].master, twinsOpened ? 1e-9 : kGap - 1e-9) << step << ", row " << i;
            }
        }
        for (int r = 0; r < Table()->GetItemCount(); ++r)
            shown << QStringList{Cell(r, kColId), Cell(r, kColMaster), Cell(r, kColSlave), Cell(r, kColSpeed),
                                 Cell(r, kColType)}.join(' ');
        ASSERT_EQ(shown, want) << "step " << step;
    }

    // Walks the history back (Ctrl+Z) or forward (Ctrl+Y or Ctrl+Shift+Z)
    // from wherever the user happens to be, meeting each checkpoint in turn.
    void Walk(const std::vector<Checkpoint>& path, bool back)
    {
        QWidget* const targets[] = {Table(), PositionCurve(), SpeedCurve(), Edit(IDC_EDIT_UNIT), dlg};
        for (size_t k = 0; k < path.size();) {
            const Checkpoint& c = back ? path[path.size() - 1 - k] : path[k];
            if (c.steps == dlg->History().Index()) {
                ASSERT_NO_FATAL_FAILURE(ExpectAt(c, back ? "undo" : "redo"));
                ASSERT_NO_FATAL_FAILURE(ExpectTableIsTheCam(c.steps));
                ++k;
            } else if (back || Uniform(0, 1)) {
                QTest::keyClick(targets[Uniform(0, 4)], back ? Qt::Key_Z : Qt::Key_Y, Qt::ControlModifier);
            } else {
                QTest::keyClick(targets[Uniform(0, 4)], Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            }
        }
    }
};

TEST_F(TableEditProperty, RandomActionsKeepTableCamAndFieldsTogetherAndUndoRedoWalkThemBitExact)
{
    ASSERT_TRUE(dir.isValid());
    LoadCam(kStart);
    QCoreApplication::processEvents();

    // While a cell editor is open the keys are the editor's: the cam stays.
    const Checkpoint start = Now();
    ASSERT_TRUE(EditCellText(1, kColSlave, QStringLiteral("60")));
    QWidget* editor = OpenEditor(2, kColSlave);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("77"));
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Table()->GetActiveEditor(), editor);
    EXPECT_EQ(Points()[1].slave, 60.0);
    QTest::keyClick(editor, Qt::Key_Escape);
    // Outside it, Ctrl+Z undoes the slave edit and Ctrl+Y brings it back.
    QTest::keyClick(Table(), Qt::Key_Z, Qt::ControlModifier);
    ExpectAt(start, "first undo");
    QTest::keyClick(Table(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Points()[1].slave, 60.0);
    EXPECT_EQ(Cell(1, kColSlave), QStringLiteral("60.000"));

    // A drag is one step however many moves it takes.
    const Checkpoint beforeDrag = Now();
    CECamCurveWnd* pos = PositionCurve();
    const QPoint from = pos->DataToPixel(pos->KeyPoints()[2]);
    QTest::mousePress(pos, Qt::LeftButton, {}, from);
    for (int i = 1; i <= 8; ++i)
        QTest::mouseMove(pos, from + QPoint(2 * i, -3 * i));
    QTest::mouseRelease(pos, Qt::LeftButton, {}, from + QPoint(16, -24));
    QCoreApplication::processEvents();
    ASSERT_EQ(dlg->History().Index(), beforeDrag.steps + 1);
    ASSERT_FALSE(BitEqual(Points(), beforeDrag.points));
    // A wheel zoom changes the view, not the cam nor the history; the undo keeps it.
    const QPointF at = pos->DataToPixel(pos->KeyPoints()[2]);
    QWheelEvent wheel(at, pos->mapToGlobal(at), QPoint(), QPoint(0, 240), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(pos, &wheel);
    ASSERT_TRUE(SpeedCurve()->IsMasterZoomed());
    QTest::keyClick(pos, Qt::Key_Z, Qt::ControlModifier);
    ExpectAt(beforeDrag, "drag undone");
    EXPECT_TRUE(pos->IsMasterZoomed());
    QTest::keyClick(pos, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(pos, Qt::Key_Home);
    ASSERT_FALSE(pos->IsMasterZoomed());

    // The rows are checked right after each action, before any deferred
    // work runs. The history keeps its oldest steps, so the walk can go back
    // to the start.
    std::vector<Checkpoint> seen{Now()};
    for (int step = 0; step < 1300 && dlg->History().Index() < CCamHistory::kDepth - 1; ++step) {
        AnyAction();
        ExpectTableIsTheCam(step);
        if (HasFailure())
            FAIL() << "action " << step;
        QCoreApplication::processEvents();
        if (dlg->History().Index() != seen.back().steps)
            seen.push_back(Now());
    }
    ASSERT_GT(seen.size(), 700u);
    EXPECT_GT(writes, 5);

    twinsOpened = true;   // the walk passes through every profile opened
    ASSERT_NO_FATAL_FAILURE(Walk(seen, true));
    Walk(seen, false);
}
