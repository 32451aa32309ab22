// SPDX-License-Identifier: GPL-3.0-or-later
// The manual's page layout: whatever falls at the foot of a page, a heading
// stays with its text, a short table with its introduction and in one piece,
// and the contents name the pages the sections start on.
#include "manual_layout.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextFrame>
#include <QTextTable>

#include <gtest/gtest.h>

#include <memory>

namespace morv::manual {
namespace {

class ManualLayout : public ::testing::Test {
  protected:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }

    // Lays `html` out on small pages and applies the layout rules.
    void lay_out(const QString& html) {
        doc_.setDefaultFont(QFont("DejaVu Sans", 10));
        doc_.setHtml(html);
        doc_.setPageSize(QSizeF(400, 300));
        keep_tables_together(doc_);
    }

    int page_of(const QTextBlock& b) {
        return static_cast<int>(first_line_top(b, *doc_.documentLayout()) /
                                doc_.pageSize().height());
    }

    QTextBlock block_with(const QString& text) {
        for (QTextBlock b = doc_.begin(); b.isValid(); b = b.next())
            if (b.text() == text) return b;
        ADD_FAILURE() << "no block " << text.toStdString();
        return {};
    }

    QTextDocument doc_;

  private:
    int argc_ = 1;
    char name_[12] = "layout_test";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};

QString filler(int lines) {
    QString html;
    for (int i = 0; i < lines; ++i)
        html += QString("<p>line %1</p>").arg(i);
    return html;
}

// Every amount of text before them, so that each lands once at a page's foot.
constexpr int kMostFillers = 24;

TEST_F(ManualLayout, HeadingStaysWithItsText) {
    for (int n = 0; n <= kMostFillers; ++n) {
        lay_out(filler(n) + "<h2>Heading</h2><p>Text</p>");
        EXPECT_EQ(page_of(block_with("Heading")), page_of(block_with("Text"))) << n << " lines";
    }
}

TEST_F(ManualLayout, ShortTableStaysWholeAndWithItsIntroduction) {
    QString table = "<table border=\"1\">";
    for (int row = 0; row < 4; ++row)
        table += QString("<tr><td>row %1</td><td>two<br>lines</td></tr>").arg(row);
    table += "</table>";
    for (int n = 0; n <= kMostFillers; ++n) {
        lay_out(filler(n) + "<p>These are:</p>" + table);
        const int intro = page_of(block_with("These are:"));
        EXPECT_EQ(intro, page_of(block_with("row 0"))) << n << " lines";
        EXPECT_EQ(intro, page_of(block_with("row 3"))) << n << " lines";
        EXPECT_EQ(report_split_rows(doc_), 0) << n << " lines";
    }
}

TEST_F(ManualLayout, ContentsNameTheSectionsPages) {
    const QString html = "<!--CONTENTS-->" + filler(3) + "<h2>One</h2>" + filler(20) +
                         "<h2>Two</h2>" + filler(30) + "<h2>Three</h2><p>end</p>";
    QString with_contents = html;
    with_contents.replace("<!--CONTENTS-->", contents_table(html));
    lay_out(with_contents);
    fill_contents(doc_);
    const auto sections = section_pages(doc_);
    ASSERT_EQ(sections.size(), 3u);
    EXPECT_LT(sections[0].second, sections[1].second);
    EXPECT_LT(sections[1].second, sections[2].second);
    auto* contents = qobject_cast<QTextTable*>(doc_.rootFrame()->childFrames().value(0));
    ASSERT_NE(contents, nullptr);
    for (int row = 0; row < 3; ++row) {
        const auto& [name, page] = sections[static_cast<std::size_t>(row)];
        EXPECT_EQ(contents->cellAt(row, 0).firstCursorPosition().block().text(), name);
        EXPECT_EQ(contents->cellAt(row, 1).firstCursorPosition().block().text(),
                  QString::number(page));
    }
}

} // namespace
} // namespace morv::manual
