#include "tests/lang/ui_text_walk.h"

#include "ui/ecam_curve_wnd.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStringList>
#include <QTableView>

#include <algorithm>

namespace {

// objectName when it has one, otherwise class and index among same-class
// siblings, from root down to w.
QString PathOf(const QWidget* root, const QWidget* w)
{
    QStringList parts;
    for (const QWidget* p = w; p && p != root; p = p->parentWidget()) {
        QString part = p->objectName();
        if (part.isEmpty()) {
            const QObjectList siblings = p->parent() ? p->parent()->children() : QObjectList();
            const auto sameKind = [p](const QObject* o) { return o->metaObject() == p->metaObject(); };
            const auto index = std::ranges::count_if(siblings.mid(0, siblings.indexOf(p)), sameKind);
            part = QStringLiteral("%1#%2").arg(QLatin1String(p->metaObject()->className())).arg(index);
        }
        parts.prepend(part);
    }
    return parts.join(QLatin1Char('/'));
}

void Add(UiTexts& out, const QString& where, const QString& text)
{
    if (!text.isEmpty())
        out.push_back({where, text});
}

void CollectOne(QWidget* root, QWidget* w, const QString& prefix, UiTexts& out)
{
    QString path = PathOf(root, w);
    const QString at = path.isEmpty() ? prefix : prefix + QLatin1Char('/') + path;
    if (w->isWindow())
        Add(out, at + QStringLiteral(" title"), w->windowTitle());
    Add(out, at + QStringLiteral(" tooltip"), w->toolTip());
    Add(out, at + QStringLiteral(" statustip"), w->statusTip());
    Add(out, at + QStringLiteral(" whatsthis"), w->whatsThis());
    if (auto* l = qobject_cast<QLabel*>(w))
        Add(out, at + QStringLiteral(" label"), l->text());
    else if (auto* b = qobject_cast<QAbstractButton*>(w))
        Add(out, at + QStringLiteral(" button"), b->text());
    else if (auto* g = qobject_cast<QGroupBox*>(w))
        Add(out, at + QStringLiteral(" group"), g->title());
    else if (auto* e = qobject_cast<QLineEdit*>(w))
        Add(out, at + QStringLiteral(" placeholder"), e->placeholderText());
    else if (auto* c = qobject_cast<QComboBox*>(w)) {
        for (int i = 0; i < c->count(); ++i)
            Add(out, at + QStringLiteral(" item %1").arg(i), c->itemText(i));
    } else if (auto* menu = qobject_cast<QMenu*>(w)) {
        Add(out, at + QStringLiteral(" menu"), menu->title());
        for (int i = 0; i < menu->actions().size(); ++i)
            Add(out, at + QStringLiteral(" action %1").arg(i), menu->actions()[i]->text());
    } else if (auto* curve = qobject_cast<CECamCurveWnd*>(w)) {
        Add(out, at + QStringLiteral(" curve title"), curve->Title());
    } else if (auto* t = qobject_cast<QTableView*>(w); t && t->model()) {
        const QAbstractItemModel* m = t->model();
        for (int c = 0; c < m->columnCount(); ++c)
            Add(out, at + QStringLiteral(" header %1").arg(c), m->headerData(c, Qt::Horizontal).toString());
        if (t->verticalHeader()->isVisibleTo(t))
            for (int r = 0; r < m->rowCount(); ++r)
                Add(out, at + QStringLiteral(" row header %1").arg(r), m->headerData(r, Qt::Vertical).toString());
        for (int r = 0; r < m->rowCount(); ++r)
            for (int c = 0; c < m->columnCount(); ++c)
                Add(out, at + QStringLiteral(" cell %1,%2").arg(r).arg(c), m->index(r, c).data().toString());
    }
}

} // namespace

void CollectWidgetTexts(QWidget* root, const QString& prefix, UiTexts& out)
{
    CollectOne(root, root, prefix, out);
    for (QWidget* w : root->findChildren<QWidget*>())
        // Header views and a combo's list belong to their table and combo.
        if (!qobject_cast<QHeaderView*>(w) && !qobject_cast<QComboBox*>(w->parentWidget()))
            CollectOne(root, w, prefix, out);
}

void CollectMenuTexts(const CModalUiRecorder::MenuCall& menu, const QString& prefix, UiTexts& out)
{
    for (const MenuItem& item : menu.items)
        Add(out, prefix + QStringLiteral(" item %1").arg(item.id), item.text);
}

QString FormatUiTexts(const UiTexts& texts)
{
    QString lines;
    for (const UiText& t : texts)
        lines += QString::fromUtf8(QJsonDocument(QJsonArray{t.where, t.text}).toJson(QJsonDocument::Compact)) + '\n';
    return lines;
}

bool HasCjk(const QString& text)
{
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x2E80 && u <= 0x9FFF) || (u >= 0xF900 && u <= 0xFAFF) || (u >= 0xFE30 && u <= 0xFE4F) ||
            (u >= 0xFF00 && u <= 0xFFEF) || c.isSurrogate())
            return true;
    }
    return false;
}

QStringList TextsCutOff(QWidget* root)
{
    QStringList cut;
    auto check = [&](const QWidget* w, const QString& text, int needs, int has) {
        if (needs > has)
            cut << QStringLiteral("%1: %2 (needs %3 px, has %4)").arg(PathOf(root, w), text).arg(needs).arg(has);
    };
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(root))
            continue;
        const QFontMetrics fm = w->fontMetrics();
        QStyle* style = w->style();
        // Buttons and check boxes draw their text in the style's contents
        // rectangle, clipped at its edges.
        const bool box = qobject_cast<QCheckBox*>(w);
        if (auto* b = qobject_cast<QAbstractButton*>(w); b && (box || qobject_cast<QPushButton*>(w))) {
            QStyleOptionButton opt;
            opt.initFrom(b);
            const QRect contents =
                style->subElementRect(box ? QStyle::SE_CheckBoxContents : QStyle::SE_PushButtonContents, &opt, b);
            check(b, b->text(), fm.horizontalAdvance(QString(b->text()).remove(QLatin1Char('&'))), contents.width());
        } else if (auto* l = qobject_cast<QLabel*>(w); l && !l->wordWrap() && !l->text().isEmpty()) {
            // A label with a buddy shows its mnemonic '&' as an underline only.
            const QString shown = l->buddy() ? QString(l->text()).remove(QLatin1Char('&')) : l->text();
            check(l, l->text(), fm.horizontalAdvance(shown) + 2 * l->margin(), l->contentsRect().width());
        } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
            // The title sits between the frame's corners.
            check(g, g->title(), fm.horizontalAdvance(g->title()) + 16, g->width());
        } else if (auto* h = qobject_cast<QHeaderView*>(w); h && h->orientation() == Qt::Horizontal && h->model()) {
            const QFontMetrics hfm(h->font());
            const int margin = 2 * style->pixelMetric(QStyle::PM_HeaderMargin, nullptr, h);
            for (int s = 0; s < h->count(); ++s) {
                const QString text = h->model()->headerData(s, Qt::Horizontal).toString();
                if (!h->isSectionHidden(s) && !text.isEmpty())
                    check(h, text, hfm.horizontalAdvance(text) + margin, h->sectionSize(s));
            }
        }
    }
    return cut;
}
