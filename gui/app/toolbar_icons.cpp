#include "gui/app/toolbar_icons.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>

#include "gui/app/main_frame.h"

namespace tarsel::app {

namespace {

struct ButtonLook {
    int id;
    const char* caption;
    QColor colour;
    char glyph;  // 'c' plug, 'l' list, 'p' sliders, 'a' axis, 'i' in, 'o' out, 'm' arrow, 't' table, 'b' bar
};

// clang-format off
const ButtonLook kLooks[] = {
    {command::kConnect,    QT_TRANSLATE_NOOP("Toolbar", "Connect"),  QColor(46, 125, 50),  'c'},
    {command::kBoardList,  QT_TRANSLATE_NOOP("Toolbar", "Boards"),   QColor(21, 101, 192), 'l'},
    {command::kParamList,  QT_TRANSLATE_NOOP("Toolbar", "Params"),   QColor(106, 27, 154), 'p'},
    {command::kAxisParam,  QT_TRANSLATE_NOOP("Toolbar", "Axis"),     QColor(106, 27, 154), 'a'},
    {command::kIoMonitor,  QT_TRANSLATE_NOOP("Toolbar", "I/O Mon"),  QColor(230, 81, 0),   'i'},
    {command::kIoSetting,  QT_TRANSLATE_NOOP("Toolbar", "I/O Set"),  QColor(230, 81, 0),   'o'},
    {command::kMotion,     QT_TRANSLATE_NOOP("Toolbar", "Motion"),   QColor(0, 131, 143),  'm'},
    {command::kPosTable,   QT_TRANSLATE_NOOP("Toolbar", "Table"),    QColor(0, 131, 143),  't'},
    {command::kCommandBar, QT_TRANSLATE_NOOP("Toolbar", "Cmd Bar"),  QColor(84, 110, 122), 'b'},
};
// clang-format on

const ButtonLook& LookOf(int id) {
    for (const ButtonLook& look : kLooks) {
        if (look.id == id) return look;
    }
    return kLooks[0];
}

void DrawGlyph(QPainter& p, char glyph, const QRectF& r) {
    p.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const qreal x = r.left(), y = r.top(), w = r.width(), h = r.height();
    switch (glyph) {
        case 'c':  // a plug
            p.drawRect(QRectF(x + w * 0.25, y + h * 0.35, w * 0.5, h * 0.4));
            p.drawLine(QPointF(x + w * 0.38, y + h * 0.15), QPointF(x + w * 0.38, y + h * 0.35));
            p.drawLine(QPointF(x + w * 0.62, y + h * 0.15), QPointF(x + w * 0.62, y + h * 0.35));
            p.drawLine(QPointF(x + w * 0.5, y + h * 0.75), QPointF(x + w * 0.5, y + h * 0.95));
            break;
        case 'l':  // a list
        case 't':  // a table
            for (int i = 0; i < 4; ++i) {
                const qreal ly = y + h * (0.2 + 0.2 * i);
                p.drawLine(QPointF(x + w * 0.15, ly), QPointF(x + w * 0.85, ly));
            }
            if (glyph == 't')
                p.drawLine(QPointF(x + w * 0.4, y + h * 0.15), QPointF(x + w * 0.4, y + h * 0.85));
            break;
        case 'p':  // sliders
        case 'a':
            for (int i = 0; i < 3; ++i) {
                const qreal lx = x + w * (0.25 + 0.25 * i);
                p.drawLine(QPointF(lx, y + h * 0.15), QPointF(lx, y + h * 0.85));
                p.drawEllipse(QPointF(lx, y + h * (glyph == 'p' ? 0.3 + 0.2 * i : 0.7 - 0.2 * i)), w * 0.07,
                              w * 0.07);
            }
            break;
        case 'i':    // a pin with an arrow in
        case 'o': {  // and out
            p.drawEllipse(QPointF(x + w * 0.7, y + h * 0.5), w * 0.15, w * 0.15);
            const qreal from = glyph == 'i' ? 0.1 : 0.5, to = glyph == 'i' ? 0.5 : 0.1;
            p.drawLine(QPointF(x + w * from, y + h * 0.5), QPointF(x + w * to, y + h * 0.5));
            const qreal tip = x + w * to, dir = glyph == 'i' ? -1 : 1;
            p.drawLine(QPointF(tip, y + h * 0.5), QPointF(tip + dir * w * 0.12, y + h * 0.35));
            p.drawLine(QPointF(tip, y + h * 0.5), QPointF(tip + dir * w * 0.12, y + h * 0.65));
            break;
        }
        case 'm':  // a double arrow
            p.drawLine(QPointF(x + w * 0.1, y + h * 0.5), QPointF(x + w * 0.9, y + h * 0.5));
            p.drawLine(QPointF(x + w * 0.9, y + h * 0.5), QPointF(x + w * 0.72, y + h * 0.3));
            p.drawLine(QPointF(x + w * 0.9, y + h * 0.5), QPointF(x + w * 0.72, y + h * 0.7));
            p.drawLine(QPointF(x + w * 0.1, y + h * 0.5), QPointF(x + w * 0.28, y + h * 0.3));
            p.drawLine(QPointF(x + w * 0.1, y + h * 0.5), QPointF(x + w * 0.28, y + h * 0.7));
            break;
        case 'g':  // the program: a dial
            p.drawEllipse(QPointF(x + w * 0.5, y + h * 0.5), w * 0.3, h * 0.3);
            p.drawLine(QPointF(x + w * 0.5, y + h * 0.05), QPointF(x + w * 0.5, y + h * 0.2));
            p.drawLine(QPointF(x + w * 0.5, y + h * 0.8), QPointF(x + w * 0.5, y + h * 0.95));
            p.drawLine(QPointF(x + w * 0.05, y + h * 0.5), QPointF(x + w * 0.2, y + h * 0.5));
            p.drawLine(QPointF(x + w * 0.8, y + h * 0.5), QPointF(x + w * 0.95, y + h * 0.5));
            p.drawLine(QPointF(x + w * 0.5, y + h * 0.5), QPointF(x + w * 0.65, y + h * 0.35));
            break;
        default:  // a text bar
            p.drawRect(QRectF(x + w * 0.1, y + h * 0.2, w * 0.8, h * 0.6));
            p.drawLine(QPointF(x + w * 0.2, y + h * 0.45), QPointF(x + w * 0.7, y + h * 0.45));
            p.drawLine(QPointF(x + w * 0.2, y + h * 0.62), QPointF(x + w * 0.55, y + h * 0.62));
            break;
    }
}

}  // namespace

QImage ToolButtonImage(int commandId, ButtonState state) {
    const ButtonLook& look = LookOf(commandId);
    QImage image(kToolButtonWidth, kToolButtonHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QColor base = look.colour;
    if (state == ButtonState::Hot) base = base.lighter(135);
    if (state == ButtonState::Disabled) {
        const int grey = qGray(base.rgb());
        base = QColor(grey, grey, grey).lighter(150);
    }
    const QRectF badge(1, 5, 24, 24);
    QPainterPath path;
    path.addRoundedRect(badge, 6, 6);
    p.fillPath(path, base);
    DrawGlyph(p, look.glyph, badge.adjusted(3, 3, -3, -3));
    QFont font = p.font();
    font.setPixelSize(10);
    font.setBold(true);
    p.setFont(font);
    p.setPen(state == ButtonState::Disabled ? QColor(150, 150, 150) : QColor(40, 40, 40));
    p.drawText(QRectF(28, 0, kToolButtonWidth - 28, kToolButtonHeight), Qt::AlignVCenter | Qt::AlignLeft,
               QCoreApplication::translate("Toolbar", look.caption));
    return image;
}

QIcon ToolButtonIcon(int commandId) {
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(ToolButtonImage(commandId, ButtonState::Normal)), QIcon::Normal);
    icon.addPixmap(QPixmap::fromImage(ToolButtonImage(commandId, ButtonState::Hot)), QIcon::Active);
    icon.addPixmap(QPixmap::fromImage(ToolButtonImage(commandId, ButtonState::Disabled)), QIcon::Disabled);
    return icon;
}

QIcon NamedIcon(const char* name) {
    struct Named {
        const char* name;
        QColor colour;
        char glyph;
    };
    static const Named kNamed[] = {{"tarselv8", QColor(21, 101, 192), 'g'},
                                   {"board-list", QColor(21, 101, 192), 'l'},
                                   {"parameters", QColor(106, 27, 154), 'p'},
                                   {"motion", QColor(0, 131, 143), 'm'},
                                   {"io", QColor(230, 81, 0), 'i'}};
    const Named* found = &kNamed[0];
    for (const Named& n : kNamed) {
        if (qstrcmp(n.name, name) == 0) found = &n;
    }
    QIcon icon;
    for (int size : {16, 32, 64}) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath path;
        const QRectF r(0.5, 0.5, size - 1.0, size - 1.0);
        path.addRoundedRect(r, size / 6.0, size / 6.0);
        p.fillPath(path, found->colour);
        DrawGlyph(p, found->glyph, r.adjusted(size / 8.0, size / 8.0, -size / 8.0, -size / 8.0));
        p.end();
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

}  // namespace tarsel::app
