// The pixel editor and the pixel previews, offscreen, driven
// by real mouse events and read back from what they paint.
#include "widgets/PixelEditor.h"
#include "widgets/PixelPreview.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QTest>

#include <utility>
#include <vector>

namespace {

using Change = std::pair<int, bool>; // index, cleared

class PixelEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        editor.SetDimensions(10, 11);
        editor.resize(201, 221); // cells of 20 pixels
        editor.show();
        QApplication::setActiveWindow(&editor);
        editor.setFocus();
        QObject::connect(&editor, &widgets::PixelEditor::pixelChanged,
                         [this](int index, bool cleared) { changes.emplace_back(index, cleared); });
    }
    QPoint Centre(int index) const { return editor.CellRect(index).center(); }
    void Mouse(QEvent::Type type, int index, Qt::MouseButtons buttons) {
        const QPointF at = Centre(index);
        QMouseEvent event(type, at, editor.mapToGlobal(at), Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(&editor, &event);
    }
    // Presses on the first cell, moves over the others with the button down
    // and lets go on the last.
    void Drag(const std::vector<int>& cells) {
        Mouse(QEvent::MouseButtonPress, cells.front(), Qt::LeftButton);
        for (size_t i = 1; i < cells.size(); ++i)
            Mouse(QEvent::MouseMove, cells[i], Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, cells.back(), Qt::NoButton);
    }

    widgets::PixelEditor editor;
    std::vector<Change> changes;
};

TEST_F(PixelEditorTest, ClicksAndDragsPaintOrEraseEveryPixelOnce) {
    struct Case {
        const char* what;
        std::vector<int> setBefore;
        std::vector<int> path;
        std::vector<Change> changes;
        std::vector<int> setAfter;
    };
    const Case cases[] = {
        {"a click sets a pixel", {}, {23}, {{23, false}}, {23}},
        {"painting",
         {},
         {0, 1, 2, 1, 12},
         {{0, false}, {1, false}, {2, false}, {12, false}},
         {0, 1, 2, 12}},
        {"painting passes set pixels by", {3}, {2, 3, 4}, {{2, false}, {4, false}}, {2, 3, 4}},
        {"erasing from a set pixel", {5, 6}, {5, 6, 7}, {{5, true}, {6, true}}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        editor.SetDimensions(10, 11);
        for (int p : c.setBefore)
            editor.SetPixel(p, true);
        changes.clear();
        Drag(c.path);
        EXPECT_EQ(changes, c.changes);
        std::vector<int> after;
        for (int p = 0; p < 110; ++p)
            if (editor.Pixel(p))
                after.push_back(p);
        EXPECT_EQ(after, c.setAfter);
    }
    // Moving without the button, the right button and a click off the
    // cells do nothing.
    changes.clear();
    Mouse(QEvent::MouseMove, 50, Qt::NoButton);
    QTest::mouseClick(&editor, Qt::RightButton, Qt::NoModifier, Centre(5));
    QTest::mouseClick(&editor, Qt::LeftButton, Qt::NoModifier, QPoint(200, 220));
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(editor.CellRect(23), QRect(60, 40, 20, 20));
}

// A preview shows each bit as one pixel, the picture centred on the widget.
TEST(PixelPreviewTest, PixelsOneForOneCentred) {
    widgets::PixelPreview preview;
    preview.resize(50, 60);
    EXPECT_FALSE(preview.SetBitmapSize(30, 30)); // 900 pixels: too many
    ASSERT_TRUE(preview.SetBitmapSize(21, 41));
    preview.SetPixel(0, true);
    preview.SetPixel(860, true);
    preview.SetPixel(861, true); // outside: nothing
    EXPECT_FALSE(preview.Pixel(861));
    const QImage image = preview.grab().toImage();
    const int left = (50 - 21) / 2;
    const int top = (60 - 41) / 2;
    const QColor base = preview.palette().color(QPalette::Base);
    const struct {
        int x, y;
        QColor colour;
    } probes[] = {
        {left, top, Qt::black}, {left + 1, top, Qt::white},  {left + 20, top + 40, Qt::black},
        {left - 1, top, base},  {left + 21, top + 40, base},
    };
    for (const auto& p : probes)
        EXPECT_EQ(image.pixelColor(p.x, p.y), p.colour) << p.x << "," << p.y;
}

} // namespace
