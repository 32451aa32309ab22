// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The page layout of the manual: a QTextDocument with its page size set is
// adjusted so that short tables, their introductions and headings are not
// left at the foot of a page, and its contents get their page numbers.
#include <QString>
#include <QTextDocument>

#include <utility>
#include <vector>

class QAbstractTextDocumentLayout;
class QTextBlock;

namespace morv::manual {

// Where a block's first line lies, in document coordinates.
qreal first_line_top(const QTextBlock& b, QAbstractTextDocumentLayout& layout);

// Short tables, such as a picture row with its headings, start a new page
// rather than leave their first rows alone at the foot of one; so do headings
// that would stand alone there.
void keep_tables_together(QTextDocument& doc);

// Names every table row that the layout splits across two pages on standard
// error; returns how many there are.
int report_split_rows(QTextDocument& doc);

// The contents table for the "<!--CONTENTS-->" mark: one row per section
// heading (h2) of `html`, its page number 0 until fill_contents.
QString contents_table(const QString& html);

// The section headings (h2) of the laid-out text, each with its page from 1.
std::vector<std::pair<QString, int>> section_pages(QTextDocument& doc);

// Writes the page numbers into the contents table.
void fill_contents(QTextDocument& doc);

} // namespace morv::manual
