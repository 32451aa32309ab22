// SPDX-License-Identifier: GPL-3.0-or-later
#include "manual_layout.h"

#include <QAbstractTextDocumentLayout>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>

#include <algorithm>
#include <cstdio>

namespace morv::manual {

// Where a block's first line lies: the layout moves a line that does not fit
// to the next page inside its block, whose top stays where it was.
qreal first_line_top(const QTextBlock& b, QAbstractTextDocumentLayout& layout) {
    const qreal top = layout.blockBoundingRect(b).top();
    const QTextLayout* lines = b.layout();
    return lines != nullptr && lines->lineCount() > 0 ? top + lines->lineAt(0).y() : top;
}

namespace {

// The top and bottom of a table row as laid out, in document coordinates.
std::pair<qreal, qreal> row_extent(QTextTable& table, int row,
                                   QAbstractTextDocumentLayout& layout) {
    qreal top = 1e30, bottom = -1e30;
    for (int column = 0; column < table.columns(); ++column) {
        const QTextTableCell cell = table.cellAt(row, column);
        for (QTextBlock b = cell.firstCursorPosition().block();
             b.isValid() && b.position() <= cell.lastCursorPosition().position(); b = b.next()) {
            top = std::min(top, first_line_top(b, layout));
            bottom = std::max(bottom, layout.blockBoundingRect(b).bottom());
        }
    }
    return {top, bottom};
}

// The top and bottom of a whole table as laid out.
std::pair<qreal, qreal> table_extent(QTextTable& table, QAbstractTextDocumentLayout& layout) {
    const auto first = row_extent(table, 0, layout);
    const auto last = row_extent(table, table.rows() - 1, layout);
    return {first.first, last.second};
}

// A table shorter than this share of a page is kept on one page.
constexpr double kKeepTogether = 0.65;
// The rows a longer table keeps on the page where it starts.
constexpr int kFirstRows = 3;

// The heading or the sentence ending in a colon that introduces a table,
// which moves to the next page with it; invalid when there is none. A heading
// right above such a sentence goes too.
QTextBlock lead_in(QTextBlock before) {
    const auto leads = [](const QTextBlock& b) {
        return b.isValid() && (b.blockFormat().headingLevel() > 0 ||
                               b.text().trimmed().endsWith(QLatin1Char(':')));
    };
    if (!leads(before)) return {};
    const QTextBlock above = before.previous();
    return above.isValid() && above.blockFormat().headingLevel() > 0 ? above : before;
}

// Moves the first short table that runs over a page end, the first long one
// whose first rows do, or the first whose introduction the layout left on the
// page before, to the next page;
// false when there is none. Moving one shifts everything after it, so the
// caller asks again.
bool keep_one_table_together(QTextDocument& doc) {
    QAbstractTextDocumentLayout& layout = *doc.documentLayout();
    const qreal page = doc.pageSize().height();
    for (QTextFrame* f : doc.rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(f);
        if (table == nullptr || table->rows() == 0) continue;
        const auto [top, bottom] = table_extent(*table, layout);
        // A long table keeps at least its first rows (headings and the first
        // entry) together instead.
        const qreal end =
            bottom - top > kKeepTogether * page
                ? row_extent(*table, std::min(table->rows(), kFirstRows) - 1, layout).second
                : bottom;
        // What introduces the table goes with it, and the break before it.
        const QTextBlock lead = lead_in(doc.findBlock(table->firstPosition()).previous());
        const int lead_page =
            lead.isValid() ? static_cast<int>(first_line_top(lead, layout) / page) : -1;
        const bool apart = lead.isValid() && lead_page != static_cast<int>(top / page);
        if (!apart && static_cast<int>(top / page) == static_cast<int>((end - 1) / page)) continue;
        if (lead.isValid()) {
            QTextBlockFormat block = lead.blockFormat();
            if (block.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) continue;
            block.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(lead).setBlockFormat(block);
        } else {
            QTextTableFormat format = table->format();
            if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) continue;
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            table->setFormat(format);
        }
        // Laid out again from the start: the layout updated in place loses
        // the text after a table that moved.
        doc.markContentsDirty(0, doc.characterCount());
        return true;
    }
    return false;
}

// Moves the first heading that ends a page, away from the text it heads, to
// the next page; false when there is none.
bool keep_one_heading_with_text(QTextDocument& doc) {
    QAbstractTextDocumentLayout& layout = *doc.documentLayout();
    const qreal page = doc.pageSize().height();
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        QTextBlockFormat format = b.blockFormat();
        if (format.headingLevel() == 0 || !b.next().isValid()) continue;
        if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) continue;
        const qreal top = first_line_top(b, layout);
        const qreal next_top = first_line_top(b.next(), layout) + 1;
        if (static_cast<int>(top / page) == static_cast<int>(next_top / page)) continue;
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(b).setBlockFormat(format);
        doc.markContentsDirty(0, doc.characterCount());
        return true;
    }
    return false;
}

} // namespace

// Short tables, such as a picture row with its headings, start a new page
// rather than leave their first rows alone at the foot of one; so do headings
// that would stand alone there.
void keep_tables_together(QTextDocument& doc) {
    for (int moved = 0;
         moved < 200 && (keep_one_table_together(doc) || keep_one_heading_with_text(doc));
         ++moved) {
    }
}

// Names every table row that the layout splits across two pages, so that
// whoever edits the manual sees where a page break belongs.
int report_split_rows(QTextDocument& doc) {
    QAbstractTextDocumentLayout& layout = *doc.documentLayout();
    const qreal page = doc.pageSize().height();
    int split = 0;
    for (QTextFrame* f : doc.rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(f);
        if (table == nullptr) continue;
        for (int row = 0; row < table->rows(); ++row) {
            const auto [top, bottom] = row_extent(*table, row, layout);
            // A row taller than a page, such as the whole usage text, must split.
            if (bottom - top > page) continue;
            if (static_cast<int>(top / page) == static_cast<int>((bottom - 1) / page)) continue;
            const QString text = table->cellAt(row, table->columns() - 1)
                                     .firstCursorPosition()
                                     .block()
                                     .text()
                                     .left(60);
            std::fprintf(stderr, "make-manual: a table row splits at page %d: %s\n",
                         static_cast<int>(top / page) + 1, qPrintable(text));
            ++split;
        }
    }
    return split;
}

// The contents: one row per section heading (h2), its page number filled in
// once the pages are laid out.
QString contents_table(const QString& html) {
    const QRegularExpression heading(QStringLiteral("<h2[^>]*>([^<]*)</h2>"));
    QString rows;
    for (const QRegularExpressionMatch& m : heading.globalMatch(html))
        rows += QString("<tr><td>%1</td><td align=\"right\">0</td></tr>").arg(m.captured(1));
    return "<table width=\"70%\" cellspacing=\"0\" cellpadding=\"1\">" + rows + "</table>";
}

// The section headings of the laid-out text, each with its page (from 1).
std::vector<std::pair<QString, int>> section_pages(QTextDocument& doc) {
    QAbstractTextDocumentLayout& layout = *doc.documentLayout();
    const qreal page = doc.pageSize().height();
    std::vector<std::pair<QString, int>> out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        if (b.blockFormat().headingLevel() == 2)
            out.emplace_back(b.text(), static_cast<int>(first_line_top(b, layout) / page) + 1);
    return out;
}

// Writes the page numbers into the contents table, the one whose rows name
// the sections; the numbers are short enough not to move anything.
void fill_contents(QTextDocument& doc) {
    const auto sections = section_pages(doc);
    for (QTextFrame* f : doc.rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(f);
        if (table == nullptr || table->columns() != 2 ||
            table->rows() != static_cast<int>(sections.size()) || sections.empty() ||
            table->cellAt(0, 0).firstCursorPosition().block().text() != sections[0].first)
            continue;
        for (int row = 0; row < table->rows(); ++row) {
            const QTextTableCell cell = table->cellAt(row, 1);
            QTextCursor cursor = cell.firstCursorPosition();
            cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
            cursor.insertText(QString::number(sections[static_cast<std::size_t>(row)].second));
        }
        return;
    }
}

} // namespace morv::manual
