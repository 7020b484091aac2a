// The value grid on its own: widths in twips, cell writes, the editor's validation colour and
// the number rule of the value edits.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include "gui/widgets/decimal_text.h"
#include "gui/widgets/invalid_edit.h"
#include "gui/widgets/value_grid.h"

namespace tarsel::widgets {
namespace {

TEST(DecimalText, WholeDecimalNumbersGiveTheirIntegerPart) {
    struct Case {
        const char* text;
        std::optional<int32_t> value;
    };
    const Case cases[] = {
        {"12", 12},
        {"-12", -12},
        {"+7", 7},
        {"1.9", 1},
        {"-1.9", -1},
        {"1.", 1},
        {".5", 0},
        {" 42 ", 42},
        {"0", 0},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"", std::nullopt},
        {"-", std::nullopt},
        {".", std::nullopt},
        {"12a", std::nullopt},
        {"1e3", std::nullopt},
        {"0x10", std::nullopt},
        {"1.2.3", std::nullopt},
        {"2147483648", std::nullopt},
        {"99999999999999999999", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseDecimalValue(QString::fromLatin1(c.text)), c.value) << c.text;
}

TEST(ValueGrid, TwipsFollowTheScreenResolution) {
    EXPECT_EQ(CValueGrid::TwipsToPixels(1440, 96), 96);
    EXPECT_EQ(CValueGrid::TwipsToPixels(600, 96), 40);
    EXPECT_EQ(CValueGrid::TwipsToPixels(2800, 120), 233);
    CValueGrid grid;
    grid.SetColumns({{"A", 600, Qt::AlignLeft}, {"B", 1200, Qt::AlignRight}});
    EXPECT_EQ(grid.columnWidth(0), CValueGrid::TwipsToPixels(600, grid.logicalDpiX()));
    EXPECT_EQ(grid.columnWidth(1), CValueGrid::TwipsToPixels(1200, grid.logicalDpiX()));
    EXPECT_EQ(grid.horizontalHeaderItem(1)->text(), "B");
}

TEST(ValueGrid, EditorHandsEveryChangeToTheHandlerAndShowsRefusals) {
    CValueGrid grid;
    grid.SetColumns({{"Name", 1000, Qt::AlignLeft}, {"Value", 1000, Qt::AlignRight}});
    grid.SetRows(40);
    for (int r = 0; r < 40; ++r) grid.SetText(r, 1, QString::number(r * 10));
    std::vector<std::pair<int, QString>> seen;
    grid.SetEditor(1, [&](int row, const QString& text) {
        seen.emplace_back(row, text);
        return !text.contains('x');
    });
    grid.resize(300, 200);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));

    grid.OpenEditor(4);
    EXPECT_EQ(grid.EditorRow(), 4);
    EXPECT_EQ(grid.Editor()->text(), "40");
    EXPECT_EQ(grid.Editor()->selectedText(), "40");  // typing replaces the cell text
    EXPECT_EQ(grid.Editor()->geometry(), grid.visualRect(grid.model()->index(4, 1)));
    EXPECT_TRUE(seen.empty());  // opening is not a change

    QTest::keyClicks(grid.Editor(), "7x");
    EXPECT_EQ(seen, (std::vector<std::pair<int, QString>>{{4, "7"}, {4, "7x"}}));
    EXPECT_TRUE(grid.EditorInvalid());
    EXPECT_EQ(grid.Editor()->palette().color(QPalette::Base), kInvalidColor);
    QTest::keyClick(grid.Editor(), Qt::Key_Backspace);
    EXPECT_FALSE(grid.EditorInvalid());

    // Long texts: only the first 22 characters are handed over.
    QTest::keyClicks(grid.Editor(), QString(30, '1'));
    EXPECT_EQ(seen.back().second.size(), CValueGrid::kEditorChars);

    // A wheel notch scrolls exactly one line and hides the editor.
    grid.WheelStep(-120);
    EXPECT_EQ(grid.verticalScrollBar()->value(), 1);
    EXPECT_EQ(grid.EditorRow(), -1);
    grid.WheelStep(120);
    EXPECT_EQ(grid.verticalScrollBar()->value(), 0);

    // Rows out of range and a disabled grid open nothing.
    grid.OpenEditor(40);
    EXPECT_EQ(grid.EditorRow(), -1);
    grid.setEnabled(false);
    grid.OpenEditor(2);
    EXPECT_EQ(grid.EditorRow(), -1);
}

}  // namespace
}  // namespace tarsel::widgets
