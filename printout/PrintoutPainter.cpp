#include "printout/PrintoutPainter.h"

#include "printout/CodeplugPrintout.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace lt {

namespace {

constexpr double kTitlePoints = 12;
constexpr double kTextPoints = 6.5;
constexpr double kTablePoints = 6;
// Rows and lines a little taller than the font's em, whatever the font's own
// line spacing, so 240 channels and the settings fit two landscape pages.
constexpr double kRowPerEm = 1.15;
constexpr double kLinePerEm = 1.35;
constexpr double kPointMm = 25.4 / 72;
constexpr double kCellPaddingMm = 0.8;
constexpr double kBlockGapMm = 4;
constexpr double kGapMm = 2.5;
constexpr double kLineMm = 0.1;
constexpr int kSettingColumns = 6;
constexpr double kSettingLabelShare = 0.58;
constexpr unsigned kHeaderColour = 0xE4E4E4;

QFont printFont(int langType, double points, bool bold = false)
{
    QFont font;
    // Its character map gives every ideograph a glyph of its own, so text
    // taken from the PDF comes back as the characters printed; the window's
    // font for the script stands in where it is missing.
    font.setFamilies({QStringLiteral("WenQuanYi Micro Hei"),
                      langType == 3 ? QStringLiteral("Noto Sans CJK TC") : QStringLiteral("Noto Sans CJK SC")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

struct TableBlock {
    int first;
    int count;
    QPointF at;
};

struct SectionAt {
    std::size_t index;
    double y;
};

struct Page {
    std::vector<TableBlock> blocks;
    std::vector<SectionAt> sections;
};

// Sizes in device units, worked out once for the device, then the pages.
class Layout {
public:
    Layout(const Printout& printout, QPaintDevice& device)
        : printout_(printout)
        , mm_(device.logicalDpiY() / 25.4)
        , area_(0, 0, device.width(), device.height())
        , titleFont_(printFont(printout.langType, kTitlePoints, true))
        , textFont_(printFont(printout.langType, kTextPoints))
        , textBold_(printFont(printout.langType, kTextPoints, true))
        , tableFont_(printFont(printout.langType, kTablePoints))
        , headerFont_(printFont(printout.langType, kTablePoints, true))
        , device_(device)
    {
        titleHeight_ = QFontMetricsF(titleFont_, &device).height();
        lineHeight_ = kTextPoints * kPointMm * kLinePerEm * mm_;
        rowHeight_ = kTablePoints * kPointMm * kRowPerEm * mm_;
        headerHeight_ = 2 * QFontMetricsF(headerFont_, &device).lineSpacing() + 2 * kCellPaddingMm * mm_;
        footerTop_ = area_.bottom() - lineHeight_;
        measureColumns();
        plan();
    }

    int pageCount() const { return static_cast<int>(pages_.size()); }

    void paint(QPainter& painter, QPagedPaintDevice& device) const
    {
        for (std::size_t p = 0; p < pages_.size(); ++p) {
            if (p > 0)
                device.newPage();
            double y = area_.top();
            if (p == 0) {
                painter.setFont(titleFont_);
                painter.drawText(QRectF(area_.left(), y, area_.width(), titleHeight_), Qt::AlignLeft | Qt::AlignVCenter,
                                 printout_.title);
                y += titleHeight_;
                painter.setFont(textFont_);
                painter.drawText(QRectF(area_.left(), y, area_.width(), lineHeight_), Qt::AlignLeft | Qt::AlignVCenter,
                                 printout_.bandLimits);
            }
            for (const TableBlock& block : pages_[p].blocks)
                paintBlock(painter, block);
            for (const SectionAt& section : pages_[p].sections)
                paintSection(painter, printout_.sections[section.index], section.y);
            painter.setFont(textFont_);
            painter.drawText(QRectF(area_.left(), footerTop_, area_.width(), lineHeight_), Qt::AlignCenter,
                             printout_.pageNumber.arg(p + 1).arg(pages_.size()));
        }
    }

private:
    // Every column as wide as its widest cell; a header may take two lines.
    void measureColumns()
    {
        const QFontMetricsF cells(tableFont_, &device_);
        const QFontMetricsF header(headerFont_, &device_);
        const double padding = 2 * kCellPaddingMm * mm_;
        blockWidth_ = 0;
        for (int c = 0; c < kGridColumns; ++c) {
            double width = 0;
            for (const auto& row : printout_.channels)
                width = std::max(width, cells.horizontalAdvance(row[c]));
            const QString& caption = printout_.headers[c];
            // Wider until the caption takes at most two lines and no word of
            // it sticks out of the column.
            double headerWidth = std::max(width, header.horizontalAdvance(caption) / 2);
            for (;;) {
                const QRectF needed = header.boundingRect(QRectF(0, 0, headerWidth, 1e6), Qt::TextWordWrap, caption);
                if (needed.width() <= headerWidth && needed.height() <= 2 * header.lineSpacing() + 1)
                    break;
                headerWidth = std::max(headerWidth + mm_ / 4, needed.width());
            }
            widths_[c] = std::max(width, headerWidth) + padding;
            blockWidth_ += widths_[c];
        }
        if (blockWidth_ > area_.width()) {
            for (double& width : widths_)
                width *= area_.width() / blockWidth_;
            blockWidth_ = area_.width();
        }
        blocks_ = std::max(1, static_cast<int>((area_.width() + kBlockGapMm * mm_) / (blockWidth_ + kBlockGapMm * mm_)));
    }

    double sectionHeight(const PrintoutSection& section) const
    {
        const auto rows = (section.settings.size() + kSettingColumns - 1) / kSettingColumns;
        return lineHeight_ * static_cast<double>(rows + 1) + kGapMm * mm_;
    }

    void plan()
    {
        pages_.emplace_back();
        double y = area_.top() + titleHeight_ + lineHeight_ + kGapMm * mm_;
        const int total = static_cast<int>(printout_.channels.size());
        int next = 0;
        while (next < total) {
            const int fits = static_cast<int>((footerTop_ - kGapMm * mm_ - y - headerHeight_) / rowHeight_);
            if (fits < 1) {
                pages_.emplace_back();
                y = area_.top();
                continue;
            }
            // The last page's rows are shared out evenly between its blocks.
            const int left = total - next;
            const int perBlock = left < fits * blocks_ ? (left + blocks_ - 1) / blocks_ : fits;
            for (int b = 0; b < blocks_ && next < total; ++b) {
                const int count = std::min(perBlock, total - next);
                pages_.back().blocks.push_back({next, count, QPointF(area_.left() + b * (blockWidth_ + kBlockGapMm * mm_), y)});
                next += count;
            }
            y += headerHeight_ + perBlock * rowHeight_ + kGapMm * mm_;
            if (next < total) {
                pages_.emplace_back();
                y = area_.top();
            }
        }
        for (std::size_t s = 0; s < printout_.sections.size(); ++s) {
            const double height = sectionHeight(printout_.sections[s]);
            if (y + height > footerTop_ && (!pages_.back().blocks.empty() || !pages_.back().sections.empty())) {
                pages_.emplace_back();
                y = area_.top();
            }
            pages_.back().sections.push_back({s, y});
            y += height;
        }
    }

    void paintBlock(QPainter& painter, const TableBlock& block) const
    {
        const QPen grid(QColor(Qt::gray), kLineMm * mm_);
        const double padding = kCellPaddingMm * mm_;
        double x = block.at.x();
        painter.setFont(headerFont_);
        for (int c = 0; c < kGridColumns; ++c) {
            const QRectF cell(x, block.at.y(), widths_[c], headerHeight_);
            painter.fillRect(cell, QColor::fromRgb(kHeaderColour));
            painter.setPen(grid);
            painter.drawRect(cell);
            painter.setPen(Qt::black);
            painter.drawText(cell.adjusted(padding, padding, -padding, -padding), Qt::AlignCenter | Qt::TextWordWrap,
                             printout_.headers[c]);
            x += widths_[c];
        }
        painter.setFont(tableFont_);
        const QFontMetricsF metrics(tableFont_, &device_);
        for (int r = 0; r < block.count; ++r) {
            const auto& row = printout_.channels[static_cast<std::size_t>(block.first + r)];
            const double y = block.at.y() + headerHeight_ + r * rowHeight_;
            x = block.at.x();
            const bool odd = IsOddGridRow(row[kColNumber].toInt());
            for (int c = 0; c < kGridColumns; ++c) {
                const QRectF cell(x, y, widths_[c], rowHeight_);
                if (odd)
                    painter.fillRect(cell, QColor::fromRgb(kOddRowColour));
                painter.setPen(grid);
                painter.drawRect(cell);
                painter.setPen(Qt::black);
                painter.drawText(cell, Qt::AlignCenter, metrics.elidedText(row[c], Qt::ElideRight, widths_[c] - padding));
                x += widths_[c];
            }
        }
    }

    void paintSection(QPainter& painter, const PrintoutSection& section, double y) const
    {
        painter.setPen(Qt::black);
        painter.setFont(textBold_);
        painter.drawText(QRectF(area_.left(), y, area_.width(), lineHeight_), Qt::AlignLeft | Qt::AlignVCenter, section.heading);
        const double columnWidth = area_.width() / kSettingColumns;
        const double labelWidth = columnWidth * kSettingLabelShare;
        const QFontMetricsF label(textFont_, &device_);
        const QFontMetricsF value(textBold_, &device_);
        for (std::size_t i = 0; i < section.settings.size(); ++i) {
            const ShownSetting& setting = section.settings[i];
            const double x = area_.left() + static_cast<double>(i % kSettingColumns) * columnWidth;
            const double top = y + lineHeight_ * static_cast<double>(i / kSettingColumns + 1);
            painter.setFont(textFont_);
            painter.drawText(QRectF(x, top, labelWidth, lineHeight_), Qt::AlignLeft | Qt::AlignVCenter,
                             label.elidedText(setting.label, Qt::ElideRight, labelWidth - mm_));
            painter.setFont(textBold_);
            painter.drawText(QRectF(x + labelWidth, top, columnWidth - labelWidth, lineHeight_), Qt::AlignLeft | Qt::AlignVCenter,
                             value.elidedText(setting.value, Qt::ElideRight, columnWidth - labelWidth - mm_));
        }
    }

    const Printout& printout_;
    double mm_;
    QRectF area_;
    QFont titleFont_, textFont_, textBold_, tableFont_, headerFont_;
    QPaintDevice& device_;
    double titleHeight_ = 0, lineHeight_ = 0, rowHeight_ = 0, headerHeight_ = 0, footerTop_ = 0;
    std::array<double, kGridColumns> widths_{};
    double blockWidth_ = 0;
    int blocks_ = 1;
    std::vector<Page> pages_;
};

} // namespace

int PaintPrintout(const Printout& printout, QPagedPaintDevice& device)
{
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    const Layout layout(printout, device);
    layout.paint(painter, device);
    return painter.end() ? layout.pageCount() : 0;
}

} // namespace lt
