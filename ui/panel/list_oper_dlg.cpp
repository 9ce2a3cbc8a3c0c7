#include "ui/panel/list_oper_dlg.h"

#include "ui/dialog_units.h"

#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CListOperDlg::CListOperDlg(const QString& title, QWidget* parent)
    : QDialog(parent), m_strTitle(title)
{
    BuildTemplate();
}

void CListOperDlg::BuildTemplate()
{
    setObjectName(QStringLiteral("idd6004"));
    setFont(QFont(QStringLiteral("MS Shell Dlg"), 8));
    // Caption with the close box only: no help or size grip, like a modal frame.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Dialog"));
    setFixedSize(Dlu8(0, 0, 234, 110).size());

    auto* startLabel = new QLabel(tr("起始行号："), this);
    startLabel->setGeometry(Dlu8(53, 23, 40, 12));
    m_editStartRow = new QLineEdit(this);
    m_editStartRow->setObjectName(QStringLiteral("idc6030"));
    m_editStartRow->setGeometry(Dlu8(115, 21, 66, 14));

    auto* countLabel = new QLabel(tr("行数："), this);
    countLabel->setGeometry(Dlu8(53, 55, 29, 12));
    m_editRowCount = new QLineEdit(this);
    m_editRowCount->setObjectName(QStringLiteral("idc6031"));
    m_editRowCount->setGeometry(Dlu8(115, 52, 66, 14));

    m_btnOK = new QPushButton(tr("确定"), this);
    m_btnOK->setObjectName(QStringLiteral("idc1"));
    m_btnOK->setGeometry(Dlu8(55, 89, 50, 14));
    m_btnOK->setDefault(true);
    m_btnCancel = new QPushButton(tr("取消"), this);
    m_btnCancel->setObjectName(QStringLiteral("idc2"));
    m_btnCancel->setGeometry(Dlu8(127, 89, 50, 14));
    m_btnCancel->setAutoDefault(false);

    connect(m_btnOK, &QPushButton::clicked, this, [this] { OnOK(); });
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CListOperDlg::OnInitDialog()
{
    setWindowTitle(m_strTitle);
    m_editStartRow->setText(QStringLiteral("2"));
    m_editRowCount->setText(QStringLiteral("1"));
    m_editStartRow->setFocus();
}

void CListOperDlg::OnOK()
{
    m_strStartRow = m_editStartRow->text();
    m_strRowCount = m_editRowCount->text();
    accept();
}

int CListOperDlg::DoModal()
{
    OnInitDialog();
    // Escape and the close box end the dialog through reject(), like Cancel.
    return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}
