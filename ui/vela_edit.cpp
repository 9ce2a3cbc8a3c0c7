#include "ui/vela_edit.h"

#include "host/logic_manage.h"

#include <QFocusEvent>
#include <QMouseEvent>

namespace {

QString FontFace()
{
    // 817 names a CJK-capable face; without one the platform default serves.
    CLogicManage* logic = CSingleton<CLogicManage>::Instance();
    QString face = logic ? QString::fromStdWString(logic->GetString(817)) : QString();
    return face;
}

} // namespace

CVelaEdit::CVelaEdit(QWidget* parent)
    : QLineEdit(parent),
      m_bkColors{QColor(255, 255, 255), QColor(250, 250, 250), QColor(250, 250, 250), QColor(222, 222, 222)},
      m_textColors{QColor(44, 81, 183), QColor(44, 81, 183), QColor(44, 81, 183), QColor(192, 192, 192)},
      m_borderColors{QColor(46, 115, 212), QColor(46, 115, 212), QColor(46, 115, 212), QColor(192, 192, 192)}
{
    const QString face = FontFace();
    if (!face.isEmpty())
        m_font.setFamily(face);
    m_font.setPixelSize(14);
    m_font.setWeight(QFont::Thin);
    m_font.setStyleHint(QFont::SansSerif);
    // Any text change repaints the whole field at once.
    connect(this, &QLineEdit::textChanged, this, [this] { update(); });
}

CVelaEdit::~CVelaEdit() = default;

void CVelaEdit::paintEvent(QPaintEvent* event)
{
    // The state follows the enabled flag at every paint; the standard frame
    // stays the visible border, as in the panel's fields.
    if (!isEnabled())
        m_editState = 3;
    else if (m_editState == 3)
        m_editState = 0;
    QLineEdit::paintEvent(event);
}

void CVelaEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    m_editState = 1;
    update();
}

void CVelaEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    m_editState = 0;
    update();
}

void CVelaEdit::mousePressEvent(QMouseEvent* event)
{
    QLineEdit::mousePressEvent(event);
    m_editState = 2;
    update();
}
