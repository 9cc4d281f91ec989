// Signature glyphs where the dialogs show them, drawn as the program draws them: the
// wizard's key list keeps each accidental readable and two pixels clear of its
// neighbours, and the note-value popups show every glyph whole, inside its row and the
// border, the whole note not dwarfed by the others. The pictures go to the specimen folder.
#include "app/dialogs/popup_list_wnd.h"
#include "app/dialogs/tempo_mark_dlg.h"
#include "app/dialogs/wizard_key_tempo_page.h"
#include "tests/app/dialogs/value_dialog_test_support.h"
#include "tests/support/ink_bounds.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

using brindle::CPopupListWnd;
using brindle::CTempoMarkDlg;
using brindle::CWizardKeyTempoPage;

constexpr int kMinGap = 2;  // clear pixels between neighbouring glyphs

// Ink: a pixel that differs clearly (a quarter of the range in some channel) from the
// background under it.
bool Inked(QRgb pixel, QRgb background)
{
    return std::max({std::abs(qRed(pixel) - qRed(background)), std::abs(qGreen(pixel) - qGreen(background)),
                     std::abs(qBlue(pixel) - qBlue(background))}) > 63;
}

// The ink's bounds inside `area`, the background read at the area's top-left pixel.
std::optional<QRect> InkBounds(const QImage& image, const QRect& area)
{
    const QRgb background = image.pixel(area.topLeft());
    return test_support::InkBounds(image, area,
                                   [&](int x, int y) { return Inked(image.pixel(x, y), background); });
}

// The pieces of ink from left to right that blank columns part, each with its bounds.
std::vector<QRect> ColumnPieces(const QImage& image, const QRect& area)
{
    std::vector<QRect> pieces;
    for (int x = area.left(); x <= area.right(); ++x) {
        const auto column = InkBounds(image, QRect(x, area.top(), 1, area.height()));
        if (!column)
            continue;
        if (!pieces.empty() && pieces.back().right() == x - 1)
            pieces.back() |= *column;
        else
            pieces.push_back(*column);
    }
    return pieces;
}

int Gap(const QRect& left, const QRect& right) { return right.left() - left.right() - 1; }

TEST(SignatureGlyphRoom, KeyListAccidentalsAreReadableAndClearOfTheirNeighbours)
{
    ASSERT_TRUE(dialog_test::AddMusicFonts());
    dialog_test::TestFolder folder{dialog_test::TestFolder::Names::Lists};
    QWidget wizard;  // made first: the page leaves it before it goes
    CWizardKeyTempoPage page(folder.Data());
    page.Create(&wizard);
    wizard.resize(page.sizeHint());
    wizard.show();
    auto* keys = page.Control<QComboBox>(CWizardKeyTempoPage::kIdKey);
    ASSERT_NE(keys, nullptr);
    keys->showPopup();
    QAbstractItemView* list = keys->view();
    ASSERT_TRUE(list->isVisible());
    ProcessPostedMessages();
    const QImage picture = list->viewport()->grab().toImage();
    dialog_test::SaveScreenshot(picture.scaled(picture.size() * 3), "wizard_key_list.png");
    keys->hidePopup();

    ASSERT_EQ(keys->count(), 15);
    for (int row = 0; row < keys->count(); ++row) {
        const int key = row - 7;
        SCOPED_TRACE("key " + std::to_string(key));
        const QRect item = list->visualRect(keys->model()->index(row, 0)) & picture.rect();
        // "1", "=", the accidental when there is one, and the letter; "1=" may run together.
        const std::vector<QRect> pieces = ColumnPieces(picture, item);
        const bool accidental = key <= -2 || key >= 6;
        ASSERT_GE(pieces.size(), accidental ? 3u : 2u);
        const QRect& letter = pieces.back();
        const QRect& before = pieces[pieces.size() - 2];
        EXPECT_GE(Gap(before, letter), kMinGap);
        if (!accidental)
            continue;
        const QRect& equals = pieces[pieces.size() - 3];
        EXPECT_GE(Gap(equals, before), kMinGap);
        // Readable: the sign stands at least seven tenths as tall as the letter.
        EXPECT_GE(10 * before.height(), 7 * letter.height());
    }
}

// Every row's glyph whole and clear of the row's edges and the border; the whole note at
// least two fifths as tall as the tallest glyph.
void ExpectRowsFit(const CPopupListWnd& popup, const std::string& picture)
{
    const QImage image = popup.Render();
    dialog_test::SaveScreenshot(image.scaled(image.size() * 4), picture);
    // In the image's own pixels (more than the window's on a scaled screen).
    const int scale = static_cast<int>(image.devicePixelRatio());
    const QRect client = QRect(QPoint(0, 0), image.size()).adjusted(scale, scale, -scale, -scale);
    const int height = popup.RowHeight() * scale;
    ASSERT_GT(height, 0);
    std::vector<int> inkHeights;
    for (int i = 0; i < static_cast<int>(popup.Items().size()); ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        const QRect row = QRect(client.left(), client.top() + i * height, client.width(), height) & client;
        ASSERT_FALSE(row.isEmpty()) << "the row lies outside the window";
        const auto ink = InkBounds(image, row);
        ASSERT_TRUE(ink.has_value()) << "nothing drawn";
        EXPECT_GT(ink->top(), row.top());
        EXPECT_LT(ink->bottom(), row.bottom());
        EXPECT_GT(ink->left(), row.left());
        EXPECT_LT(ink->right(), row.right());
        inkHeights.push_back(ink->height());
    }
    ASSERT_FALSE(inkHeights.empty());
    const int tallest = *std::max_element(inkHeights.begin(), inkHeights.end());
    EXPECT_GE(5 * inkHeights.front(), 2 * tallest) << "the whole note is dwarfed";
}

TEST(SignatureGlyphRoom, WizardNoteValuePopupFitsEveryGlyphInItsRow)
{
    ASSERT_TRUE(dialog_test::AddMusicFonts());
    dialog_test::TestFolder folder{dialog_test::TestFolder::Names::Lists};
    QWidget wizard;
    CWizardKeyTempoPage page(folder.Data());
    page.Create(&wizard);
    CPopupListWnd* popup = page.NoteValuePopup();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->size(), QSize(40, 110));
    ExpectRowsFit(*popup, "wizard_note_value_popup.png");
}

using TempoMarkPopupTest = ValueDialogTest;

TEST_F(TempoMarkPopupTest, TempoMarkNoteValuePopupFitsEveryGlyphInItsRow)
{
    ASSERT_TRUE(dialog_test::AddMusicFonts());
    CTempoMarkDlg dialog;
    script.AnswerModal([](platform::DialogBase& d) {
        const CPopupListWnd* popup = static_cast<CTempoMarkDlg&>(d).Popup();
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(popup->size(), QSize(40, 110));
        ExpectRowsFit(*popup, "tempo_mark_note_value_popup.png");
        d.ClickButton(platform::kIdCancel);
    });
    dialog.DoModal();
}

}  // namespace
