// The pictures on the main window's toolbars and palettes, as the frame puts them there.
#include "app/shell/tool_bar_pictures.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDockWidget>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QToolBar>
#include <QToolButton>

#include <filesystem>
#include <memory>
#include <vector>

#include "app/shell/command_ids.h"
#include "app/shell/main_frame.h"
#include "app/shell/own_strings.h"
#include "platform/command_manager.h"
#include "platform/font_resources.h"
#include "shell_fakes.h"

namespace {

using brindle::CMainFrame;
using brindle::ToolBarPictures;

struct Entry {
    QToolBar* bar;
    QAction* action;
    int id;
};

class ToolBarPicturesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_EQ(platform::AddFontResource(std::filesystem::path(BRINDLE_SOURCE_DIR) / "data" / "fonts" / "Tansy.ttc"), 5);
    }

    void SetUp() override
    {
        brindle::RegisterOwnStrings();
        view_ = new shell_test::RecordingView();
        frame_ = std::make_unique<CMainFrame>(view_, &application_);
        ASSERT_TRUE(frame_->Create());
    }

    // Every button of every toolbar, palette and the font toolbar.
    std::vector<Entry> Entries() const
    {
        std::vector<Entry> entries;
        for (QToolBar* bar : frame_->ToolBars())
            for (QAction* action : bar->actions())
                if (!action->isSeparator() && frame_->Commands().IdOf(action) != 0)
                    entries.push_back({bar, action, frame_->Commands().IdOf(action)});
        return entries;
    }

    static std::string Name(const Entry& entry)
    {
        return (entry.bar->windowTitle() + QStringLiteral(" / ") + entry.action->toolTip()).toStdString() + " (" +
               std::to_string(entry.id) + ")";
    }

    platform::CommandTarget application_;
    shell_test::RecordingView* view_ = nullptr;
    std::unique_ptr<CMainFrame> frame_;
};

QImage Argb(const QImage& image)
{
    return image.convertToFormat(QImage::Format_ARGB32);
}

int InkPixels(const QImage& image)
{
    const QImage argb = Argb(image);
    int count = 0;
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            count += qAlpha(argb.pixel(x, y)) > 96 ? 1 : 0;
    return count;
}

// Pixels whose opacity or colour differ plainly between two pictures of one size.
int DifferentPixels(const QImage& a, const QImage& b)
{
    const QImage x = Argb(a);
    const QImage y = Argb(b);
    int count = 0;
    for (int row = 0; row < x.height(); ++row) {
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row);
            const QRgb q = y.pixel(col, row);
            const int difference = std::abs(qAlpha(p) - qAlpha(q)) + std::abs(qRed(p) - qRed(q)) +
                                   std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
            count += difference > 96 ? 1 : 0;
        }
    }
    return count;
}

// The mean lightness of the visible pixels, weighted by their opacity.
double Lightness(const QImage& image)
{
    const QImage argb = Argb(image);
    double sum = 0;
    double weight = 0;
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb p = argb.pixel(x, y);
            sum += qGray(p) * qAlpha(p);
            weight += qAlpha(p);
        }
    }
    return weight > 0 ? sum / weight : 0;
}

// Each entry has its picture at 100 % and 200 %, normal and disabled, the disabled one a
// lighter grey of the same drawing; a screen at 200 % (or 150 %) gets the picture drawn
// at that many pixels, not the small one enlarged.
TEST_F(ToolBarPicturesTest, EveryEntryHasANormalAndADisabledPictureAtBothScales)
{
    const std::vector<Entry> entries = Entries();
    ASSERT_GT(entries.size(), 100u);
    for (const Entry& entry : entries) {
        SCOPED_TRACE(Name(entry));
        const QIcon icon = entry.action->icon();
        ASSERT_FALSE(icon.isNull());
        const int side = ToolBarPictures::ImageSize(entry.id);
        EXPECT_EQ(entry.bar->iconSize(), QSize(side, side));
        EXPECT_EQ(side, entry.bar == frame_->FontToolBar()->widget() ? 16 : 24);
        for (QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled}) {
            const QList<QSize> sizes = icon.availableSizes(mode);
            EXPECT_TRUE(sizes.contains(QSize(side, side))) << mode;
            EXPECT_TRUE(sizes.contains(QSize(2 * side, 2 * side))) << mode;
        }
        const QImage normal = icon.pixmap(QSize(side, side), 1.0, QIcon::Normal).toImage();
        const QImage disabled = icon.pixmap(QSize(side, side), 1.0, QIcon::Disabled).toImage();
        const QImage sharp = icon.pixmap(QSize(side, side), 2.0, QIcon::Normal).toImage();
        ASSERT_EQ(normal.size(), QSize(side, side));
        ASSERT_EQ(disabled.size(), QSize(side, side));
        ASSERT_EQ(sharp.size(), QSize(2 * side, 2 * side));
        EXPECT_EQ(Argb(sharp), Argb(ToolBarPictures::Image(entry.id, 2 * side)));
        // Any other scale is drawn at its own size as well.
        const QImage between = icon.pixmap(QSize(side, side), 1.5, QIcon::Normal).toImage();
        EXPECT_EQ(Argb(between), Argb(ToolBarPictures::Image(entry.id, side * 3 / 2)));
        // The disabled twin: the same shapes, grey, lighter.
        EXPECT_GT(DifferentPixels(normal, disabled), 0);
        EXPECT_GT(Lightness(disabled), Lightness(normal));
        const QImage grey = Argb(disabled);
        for (int y = 0; y < grey.height(); ++y)
            for (int x = 0; x < grey.width(); ++x) {
                const QRgb p = grey.pixel(x, y);
                if (qAlpha(p) > 0) {
                    ASSERT_TRUE(qRed(p) == qGreen(p) && qGreen(p) == qBlue(p)) << x << "," << y;
                }
            }
        EXPECT_GE(InkPixels(disabled), InkPixels(normal) / 2);
    }
}

// No picture is blank, and no two buttons anywhere look alike: a user tells them apart
// by their pictures alone.
TEST_F(ToolBarPicturesTest, NoPictureIsBlankAndNoTwoLookAlike)
{
    const std::vector<Entry> entries = Entries();
    std::vector<QImage> images;
    for (const Entry& entry : entries) {
        const int side = ToolBarPictures::ImageSize(entry.id);
        images.push_back(entry.action->icon().pixmap(QSize(side, side), 1.0).toImage());
        EXPECT_GE(InkPixels(images.back()), 12) << Name(entry);
    }
    for (std::size_t i = 0; i < entries.size(); ++i)
        for (std::size_t j = i + 1; j < entries.size(); ++j)
            if (entries[i].action != entries[j].action && images[i].size() == images[j].size()) {
                EXPECT_GE(DifferentPixels(images[i], images[j]), 6) << Name(entries[i]) << " / " << Name(entries[j]);
            }
}

// Every picture fits its button: drawn in the middle of a canvas three times its size,
// nothing falls outside its own square, at 100 % and at 200 %; and the buttons show the
// picture alone, at its full size, so no label of theirs is cut.
TEST_F(ToolBarPicturesTest, EveryPictureFitsItsButton)
{
    for (const Entry& entry : Entries()) {
        SCOPED_TRACE(Name(entry));
        for (int scale : {1, 2}) {
            const int side = ToolBarPictures::ImageSize(entry.id) * scale;
            QImage canvas(3 * side, 3 * side, QImage::Format_ARGB32);
            canvas.fill(Qt::transparent);
            {
                QPainter painter(&canvas);
                painter.translate(side, side);
                ToolBarPictures::Draw(painter, entry.id, side);
            }
            int outside = 0;
            for (int y = 0; y < canvas.height(); ++y)
                for (int x = 0; x < canvas.width(); ++x)
                    if (qAlpha(canvas.pixel(x, y)) > 0 && (x < side || x >= 2 * side || y < side || y >= 2 * side))
                        ++outside;
            EXPECT_EQ(outside, 0) << "at " << scale * 100 << " %";
        }
        auto* button = qobject_cast<QToolButton*>(entry.bar->widgetForAction(entry.action));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonIconOnly);
        const int side = ToolBarPictures::ImageSize(entry.id);
        EXPECT_EQ(button->iconSize(), QSize(side, side));
        EXPECT_GE(button->sizeHint().width(), side);
        EXPECT_GE(button->sizeHint().height(), side);
    }
}

TEST(ToolBarPictureTable, CommandsWithoutAPictureGetNone)
{
    EXPECT_FALSE(ToolBarPictures::Has(0));
    EXPECT_FALSE(ToolBarPictures::Has(-1));
    EXPECT_TRUE(ToolBarPictures::Icon(0).isNull());
    const QImage blank = ToolBarPictures::Image(0, 24);
    EXPECT_EQ(InkPixels(blank), 0);
}

}  // namespace
