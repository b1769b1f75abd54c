// korvessa-makepics OUTDIR: draws the navigator pictures (the two background
// pictures and the normal and highlighted picture of every step image) from
// the step tables of the core library.

#include "core/app/navigatorsteps.h"

#include <QColor>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QMap>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

using namespace korvessa;
using namespace Qt::StringLiterals;

namespace {

const QString kFontFamily = u"Noto Sans CJK TC"_s;

// Panels are opaque, and the step pictures fill their corners with the same
// colour, so a rounded box looks right wherever it lies.
const QColor kPanelFill(0xfb, 0xfc, 0xfe);
const QColor kInk(0x1f, 0x2a, 0x36);
const QColor kConnector(0x5b, 0x6b, 0x7d);
const QColor kHighlightBorder(0xff, 0xb0, 0x00);

const QColor kBasic(0x3d, 0x8b, 0x5a);
const QColor kNotes(0x2f, 0x6f, 0xb0);
const QColor kBanking(0x1f, 0x8a, 0x8a);
const QColor kLists(0x5a, 0x5f, 0xa8);
const QColor kLedger(0xc0, 0x6a, 0x1e);
const QColor kReports(0x8a, 0x4f, 0xa0);

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

// The colour of a step follows its module's group, so a picture shared by
// both navigators looks the same in each.
QColor stepColour(const NavigatorStep& step)
{
    const QString& code = step.programCode;
    if (code == u"B01"_s || code.startsWith(u"C1"_s))
        return kBasic;
    if (code.startsWith(u"B2"_s))
        return kNotes;
    if (code.startsWith(u"B5"_s))
        return kLists;
    if (code.startsWith(u'B'))
        return kBanking;
    if (code.startsWith(u'C'))
        return kLedger;
    return kReports;
}

QColor mix(const QColor& a, const QColor& b, double t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t), float(a.greenF() + (b.greenF() - a.greenF()) * t),
        float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

QFont font(int pixelSize, bool bold)
{
    QFont f(kFontFamily);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

// The largest font up to `pixelSize` in which `text` fits `width`.
QFont fittingFont(const QString& text, int width, int pixelSize, bool bold)
{
    QFont f = font(pixelSize, bold);
    while (pixelSize > 9 && QFontMetrics(f).horizontalAdvance(text) > width) {
        --pixelSize;
        f.setPixelSize(pixelSize);
    }
    return f;
}

void prepare(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}

QImage drawStep(const NavigatorStep& step, bool highlighted)
{
    const QSize size = step.rect.size();
    QImage image(size, QImage::Format_RGB32);
    image.fill(kPanelFill);
    QPainter p(&image);
    prepare(p);

    const QColor colour = stepColour(step);
    const double border = highlighted ? 3.0 : 1.5;
    const QRectF frame = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(border / 2 + 0.5, border / 2 + 0.5,
        -border / 2 - 0.5, -border / 2 - 0.5);

    QLinearGradient fill(frame.topLeft(), frame.bottomLeft());
    if (highlighted) {
        fill.setColorAt(0, mix(colour, Qt::white, 0.35));
        fill.setColorAt(1, colour.lighter(108));
    } else {
        fill.setColorAt(0, Qt::white);
        fill.setColorAt(1, mix(colour, Qt::white, 0.82));
    }
    QPainterPath path;
    path.addRoundedRect(frame, 8, 8);
    p.fillPath(path, fill);

    // A colour strip on the left names the group at a glance.
    if (!highlighted) {
        p.save();
        p.setClipPath(path);
        p.fillRect(QRectF(frame.left(), frame.top(), 5, frame.height()), colour);
        p.restore();
    }

    p.setPen(QPen(highlighted ? kHighlightBorder : colour, border));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);

    const QRectF textArea = frame.adjusted(highlighted ? 3 : 6, 2, -3, -2);
    p.setFont(fittingFont(step.caption, int(textArea.width()), 14, true));
    p.setPen(highlighted ? QColor(Qt::white) : kInk);
    if (highlighted) {
        // A faint shadow keeps the white caption readable on the light end.
        p.setPen(QColor(0, 0, 0, 90));
        p.drawText(textArea.translated(1, 1), Qt::AlignCenter, step.caption);
        p.setPen(Qt::white);
    }
    p.drawText(textArea, Qt::AlignCenter, step.caption);
    p.end();
    return image;
}

QPoint leftMid(const QRect& r)
{
    return QPoint(r.left(), r.top() + r.height() / 2);
}
QPoint rightMid(const QRect& r)
{
    return QPoint(r.left() + r.width(), r.top() + r.height() / 2);
}
QPoint topMid(const QRect& r)
{
    return QPoint(r.left() + r.width() / 2, r.top());
}
QPoint bottomMid(const QRect& r)
{
    return QPoint(r.left() + r.width() / 2, r.top() + r.height());
}

// A connector line, ending in an arrow head unless it only joins another.
struct Connector {
    QList<QPoint> points;
    bool head = true;
    bool dashed = false;
};

enum class LabelPlace { TopLeft, TopRight, BottomLeft, BottomRight };

// A framed group of steps with its name.
struct Section {
    QString label;
    QColor colour;
    QStringList images;
    LabelPlace place;
};

struct Note {
    QString text;
    QRect rect;
};

struct Chart {
    QString title;
    QList<Section> sections;
    QList<Connector> connectors;
    QList<Note> notes;
    QList<QPoint> junctions; // where lines merge
};

QRect stepRect(NavigatorKind kind, const QString& image)
{
    const NavigatorStep* step = findNavigatorStep(kind, image);
    if (!step) {
        err() << "korvessa-makepics: no step " << image << '\n';
        err().flush();
        std::exit(1);
    }
    return step->rect;
}

Chart accountingChart()
{
    const NavigatorKind k = NavigatorKind::Accounting;
    auto r = [k](const char16_t* image) { return stepRect(k, QString::fromUtf16(image)); };
    const QRect customers = r(u"Image8"), accounts = r(u"Image6"), vouchers = r(u"Image3"), posting = r(u"Image13"),
                closing = r(u"Image5");
    const QList<QRect> reports = { r(u"Image20"), r(u"Image17"), r(u"Image19"), r(u"Image16"), r(u"Image15") };

    Chart c;
    c.title = u"會計作業流程"_s;
    c.sections = {
        { u"基本資料"_s, kBasic, { u"Image8"_s, u"Image6"_s }, LabelPlace::TopLeft },
        { u"帳務處理"_s, kLedger, { u"Image3"_s, u"Image13"_s, u"Image5"_s }, LabelPlace::BottomRight },
        { u"會計報表"_s, kReports, { u"Image20"_s, u"Image17"_s, u"Image19"_s, u"Image16"_s, u"Image15"_s },
            LabelPlace::BottomLeft },
    };

    // Customers and accounts both feed voucher entry.
    const int joinY = customers.bottom() + 26;
    const QPoint join(topMid(vouchers).x(), joinY);
    c.connectors << Connector { { bottomMid(customers), QPoint(bottomMid(customers).x(), joinY), join }, false }
                 << Connector { { bottomMid(accounts), QPoint(bottomMid(accounts).x(), joinY), join }, false }
                 << Connector { { join, topMid(vouchers) } };
    c.junctions << join;
    c.connectors << Connector { { rightMid(vouchers), leftMid(posting) } }
                 << Connector { { rightMid(posting), leftMid(closing) } };

    // The carry-forward opens the next year's books.
    const int loopY = vouchers.top() - 24;
    const QPoint loopStart(topMid(closing).x(), closing.top());
    const QPoint loopEnd(vouchers.right() - 20, vouchers.top());
    c.connectors << Connector { { loopStart, QPoint(loopStart.x(), loopY), QPoint(loopEnd.x(), loopY), loopEnd }, true,
        true };
    c.notes << Note { u"結轉次年度"_s, QRect(posting.left(), loopY - 20, posting.width(), 18) };

    // Posting feeds every report.
    const int busY = (posting.bottom() + reports.first().top()) / 2 + 12;
    c.connectors << Connector { { bottomMid(posting), QPoint(bottomMid(posting).x(), busY) }, false }
                 << Connector { { QPoint(topMid(reports.first()).x(), busY), QPoint(topMid(reports.last()).x(), busY) },
                        false };
    for (const QRect& report : reports)
        c.connectors << Connector { { QPoint(topMid(report).x(), busY), topMid(report) } };
    return c;
}

Chart fullChart()
{
    const NavigatorKind k = NavigatorKind::Full;
    auto r = [k](const char16_t* image) { return stepRect(k, QString::fromUtf16(image)); };
    const QRect receivable = r(u"Image2"), payable = r(u"Image4"), processing = r(u"Image11");
    const QList<QRect> noteLists = { r(u"Image14"), r(u"Image12"), r(u"Image15") };
    const QRect banks = r(u"Image6"), bankOps = r(u"Image7"), cash = r(u"Image18");
    const QList<QRect> bankLists = { r(u"Image5"), r(u"Image10") };
    const QRect pettyList = r(u"Image9");
    const QRect customers = r(u"Image8"), vouchers = r(u"Image3"), posting = r(u"Image13");
    const QList<QRect> reports = { r(u"Image19"), r(u"Image16"), r(u"Image17"), r(u"Image20") };

    Chart c;
    c.title = u"票據．出納．會計作業流程"_s;
    c.sections = {
        { u"票據管理"_s, kNotes,
            { u"Image2"_s, u"Image4"_s, u"Image11"_s, u"Image14"_s, u"Image12"_s, u"Image15"_s }, LabelPlace::TopLeft },
        { u"出納管理"_s, kBanking, { u"Image6"_s, u"Image7"_s, u"Image18"_s, u"Image5"_s, u"Image10"_s, u"Image9"_s },
            LabelPlace::TopLeft },
        { u"會計帳務"_s, kLedger, { u"Image8"_s, u"Image3"_s, u"Image13"_s }, LabelPlace::TopRight },
        { u"會計報表"_s, kReports, { u"Image19"_s, u"Image16"_s, u"Image17"_s, u"Image20"_s }, LabelPlace::TopLeft },
    };

    // Fan-in: several boxes join a vertical bus that enters `to`.
    auto fanIn = [&c](const QList<QRect>& from, const QRect& to) {
        const int busX = (from.first().right() + to.left()) / 2 + 1;
        for (const QRect& f : from)
            c.connectors << Connector { { rightMid(f), QPoint(busX, rightMid(f).y()), QPoint(busX, leftMid(to).y()) },
                false };
        c.connectors << Connector { { QPoint(busX, leftMid(to).y()), leftMid(to) } };
    };
    // Fan-out: `from` feeds a vertical bus with an arrow into each box.
    auto fanOut = [&c](const QRect& from, const QList<QRect>& to) {
        const int busX = (from.right() + to.first().left()) / 2 + 1;
        int top = rightMid(from).y(), bottom = top;
        for (const QRect& t : to) {
            top = std::min(top, leftMid(t).y());
            bottom = std::max(bottom, leftMid(t).y());
        }
        c.connectors << Connector { { rightMid(from), QPoint(busX, rightMid(from).y()) }, false }
                     << Connector { { QPoint(busX, top), QPoint(busX, bottom) }, false };
        for (const QRect& t : to)
            c.connectors << Connector { { QPoint(busX, leftMid(t).y()), leftMid(t) } };
    };

    fanIn({ receivable, payable }, processing);
    fanOut(processing, noteLists);
    c.connectors << Connector { { rightMid(banks), leftMid(bankOps) } };
    fanOut(bankOps, bankLists);
    c.connectors << Connector { { rightMid(cash), QPoint(pettyList.left(), rightMid(cash).y()) } };

    // Notes, bank operations and cash are turned into vouchers.
    const int trunkY = leftMid(vouchers).y();
    c.connectors << Connector { { bottomMid(processing), QPoint(bottomMid(processing).x(), trunkY), leftMid(vouchers) } }
                 << Connector { { topMid(bankOps), QPoint(topMid(bankOps).x(), trunkY) }, false };
    c.junctions << QPoint(bottomMid(processing).x(), trunkY);
    c.notes << Note { u"轉入傳票"_s, QRect(noteLists.first().left(), trunkY - 19, noteLists.first().width(), 17) };
    const int lowY = cash.bottom() + 22;
    c.connectors << Connector { { bottomMid(cash), QPoint(bottomMid(cash).x(), lowY), QPoint(bottomMid(vouchers).x(), lowY),
        bottomMid(vouchers) } };

    c.connectors << Connector { { bottomMid(customers), topMid(vouchers) } }
                 << Connector { { rightMid(vouchers), leftMid(posting) } };
    fanOut(posting, reports);
    return c;
}

void drawArrowHead(QPainter& p, QPointF from, QPointF to)
{
    const double angle = std::atan2(to.y() - from.y(), to.x() - from.x());
    const double length = 8.0, spread = 0.45;
    QPolygonF head;
    head << to << QPointF(to.x() - length * std::cos(angle - spread), to.y() - length * std::sin(angle - spread))
         << QPointF(to.x() - length * std::cos(angle + spread), to.y() - length * std::sin(angle + spread));
    p.setPen(Qt::NoPen);
    p.setBrush(kConnector);
    p.drawPolygon(head);
}

void drawButtonLabel(QPainter& p, const QRect& rect, const QString& text, const QColor& colour)
{
    const QRectF frame = QRectF(rect).adjusted(1, 1, -1, -1);
    QLinearGradient fill(frame.topLeft(), frame.bottomLeft());
    fill.setColorAt(0, mix(colour, Qt::white, 0.25));
    fill.setColorAt(1, colour);
    p.setPen(QPen(colour.darker(125), 1));
    p.setBrush(fill);
    p.drawRoundedRect(frame, frame.height() / 2, frame.height() / 2);
    p.setPen(Qt::white);
    p.setFont(fittingFont(text, rect.width() - 10, std::min(15, rect.height() - 8), true));
    p.drawText(frame, Qt::AlignCenter, text);
}

QImage drawBackground(NavigatorKind kind, const Chart& chart)
{
    const QSize size = navigatorSize();
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    prepare(p);

    QLinearGradient sky(0, 0, size.width() * 0.35, size.height());
    sky.setColorAt(0, QColor(0xdc, 0xea, 0xf7));
    sky.setColorAt(0.6, QColor(0xee, 0xf4, 0xfb));
    sky.setColorAt(1, QColor(0xf8, 0xfa, 0xfd));
    p.fillRect(image.rect(), sky);

    // Title.
    p.setPen(QColor(0x1d, 0x4e, 0x89));
    p.setFont(font(22, true));
    const QString brand = u"企業Korvessa"_s;
    p.drawText(QPoint(18, 34), brand);
    const int brandWidth = QFontMetrics(p.font()).horizontalAdvance(brand);
    p.setPen(QColor(0x44, 0x55, 0x66));
    p.setFont(font(17, false));
    p.drawText(QPoint(18 + brandWidth + 12, 33), chart.title);

    // Sections.
    constexpr int pad = 8, strip = 20;
    for (const Section& section : chart.sections) {
        QRect bound;
        for (const QString& name : section.images)
            bound = bound.united(stepRect(kind, name));
        const bool top = section.place == LabelPlace::TopLeft || section.place == LabelPlace::TopRight;
        const bool left = section.place == LabelPlace::TopLeft || section.place == LabelPlace::BottomLeft;
        const QRect panel = bound.adjusted(-pad, top ? -pad - strip : -pad, pad, top ? pad : pad + strip);
        p.setPen(QPen(mix(section.colour, Qt::white, 0.45), 1.2));
        p.setBrush(kPanelFill);
        p.drawRoundedRect(QRectF(panel).adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);

        const QRect labelRect = top ? QRect(panel.left() + 10, panel.top() + 3, panel.width() - 20, strip - 2)
                                    : QRect(panel.left() + 10, panel.bottom() - strip + 1, panel.width() - 20, strip - 2);
        p.setFont(font(13, true));
        p.setPen(section.colour);
        p.drawText(labelRect, (left ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter, section.label);
    }

    // Soft shadows under the step boxes.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x30, 0x40, 0x50, 40));
    for (const NavigatorStep& step : navigatorSteps(kind))
        p.drawRoundedRect(QRectF(step.rect).translated(2, 2), 8, 8);

    // Connectors.
    for (const Connector& connector : chart.connectors) {
        QPen pen(kConnector, 1.8, connector.dashed ? Qt::DashLine : Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        QPolygonF line;
        for (const QPoint& point : connector.points)
            line << QPointF(point) + QPointF(0.5, 0.5);
        if (connector.head && line.size() >= 2) {
            // Stop the line short of the tip so the head stays sharp.
            QPointF& last = line.last();
            const QPointF before = line.at(line.size() - 2);
            const QPointF tip = last;
            const double dx = tip.x() - before.x(), dy = tip.y() - before.y();
            const double length = std::hypot(dx, dy);
            if (length > 6)
                last = QPointF(tip.x() - dx / length * 6, tip.y() - dy / length * 6);
            p.drawPolyline(line);
            drawArrowHead(p, before, tip);
        } else {
            p.drawPolyline(line);
        }
    }
    p.setPen(Qt::NoPen);
    p.setBrush(kConnector);
    for (const QPoint& junction : chart.junctions)
        p.drawEllipse(QPointF(junction) + QPointF(0.5, 0.5), 3.5, 3.5);
    p.setFont(font(11, false));
    p.setPen(kConnector);
    for (const Note& note : chart.notes)
        p.drawText(note.rect, Qt::AlignCenter, note.text);

    // The labels of the flat buttons that lie on the picture.
    const QMap<QString, QPair<QString, QColor>> buttonLabels = {
        { u"SpeedButton2"_s, { u"離開"_s, QColor(0xb8, 0x3b, 0x3b) } },
        { u"SpeedButton15"_s, { u"留言板"_s, QColor(0x4a, 0x6f, 0x96) } },
        { u"SpeedButton16"_s, { u"首頁"_s, QColor(0x4a, 0x6f, 0x96) } },
        { u"SpeedButton18"_s, { u"新手上路"_s, QColor(0x3d, 0x8b, 0x5a) } },
    };
    for (const NavigatorButton& button : navigatorButtons(kind)) {
        const auto label = buttonLabels.value(button.name);
        if (!label.first.isEmpty())
            drawButtonLabel(p, button.rect, label.first, label.second);
    }

    // A hint along the bottom edge.
    p.setFont(font(12, false));
    p.setPen(QColor(0x66, 0x74, 0x82));
    p.drawText(QRect(110, size.height() - 30, size.width() - 230, 20), Qt::AlignCenter,
        u"將滑鼠移到步驟上，按一下即可開啟該作業"_s);
    p.end();
    return image;
}

bool save(const QImage& image, const QString& path)
{
    if (!image.save(path, "JPG", 95)) {
        err() << "korvessa-makepics: cannot write " << path << '\n';
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = app.arguments();
    if (args.size() != 2) {
        err() << "usage: korvessa-makepics OUTDIR\n";
        return 2;
    }
    const QDir out(args.at(1));
    if (!out.mkpath(u"."_s)) {
        err() << "korvessa-makepics: cannot create " << out.path() << '\n';
        return 1;
    }
    if (!QFontDatabase::families().contains(kFontFamily))
        err() << "korvessa-makepics: font \"" << kFontFamily << "\" is not installed; captions use a fallback\n";

    // One picture per number: steps of both navigators that share a number
    // share the picture, so they must agree on its size and caption.
    QMap<int, NavigatorStep> pictures;
    bool consistent = true;
    for (NavigatorKind kind : { NavigatorKind::Accounting, NavigatorKind::Full }) {
        for (const NavigatorStep& step : navigatorSteps(kind)) {
            const auto found = pictures.constFind(step.pictureNumber);
            if (found == pictures.constEnd()) {
                pictures.insert(step.pictureNumber, step);
            } else if (found->rect.size() != step.rect.size() || found->caption != step.caption) {
                err() << "korvessa-makepics: picture " << step.pictureNumber << " is used by " << found->image << " ("
                      << found->caption << ") and " << step.image << " (" << step.caption
                      << ") with a different size or caption\n";
                consistent = false;
            }
        }
    }
    if (!consistent)
        return 1;

    bool ok = true;
    for (const NavigatorStep& step : std::as_const(pictures)) {
        ok = save(drawStep(step, false), out.filePath(navigatorPictureName(step.pictureNumber, false))) && ok;
        ok = save(drawStep(step, true), out.filePath(navigatorPictureName(step.pictureNumber, true))) && ok;
    }
    ok = save(drawBackground(NavigatorKind::Accounting, accountingChart()),
             out.filePath(navigatorBackground(NavigatorKind::Accounting)))
        && ok;
    ok = save(drawBackground(NavigatorKind::Full, fullChart()), out.filePath(navigatorBackground(NavigatorKind::Full)))
        && ok;
    err().flush();
    return ok ? 0 : 1;
}
