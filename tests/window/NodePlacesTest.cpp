// Where a node is drawn on the screen is where the window finds it and where
// assistive technology is told it is: for fonts from the default to 30 units
// high, with and without an import, at every scale (scale 1's radius is 4
// units), each node is found within its drawn circle, none between circles,
// and each accessible node's rectangle is centred on its circle.

#include "ModalDriver.h"
#include "RecordingDC.h"
#include "ViewCommandFixture.h"

#include <QAccessible>
#include <QFontDialog>
#include <QTest>

#include <cmath>

namespace {

// The circles a paint draws, in the device's pixels: its ellipses under the
// mapping it set, as the surface defines it (device = (logical - window
// origin) * viewport extent / window extent).
std::vector<QRectF> DrawnCircles(const std::vector<RecordedCall>& calls) {
    double windowX = 1, windowY = 1, viewportX = 1, viewportY = 1, originX = 0, originY = 0;
    std::vector<QRectF> circles;
    for (const RecordedCall& call : calls) {
        const std::vector<int>& a = call.args;
        switch (call.op) {
        case RecordedCall::Op::SetWindowExt:
            windowX = a[0];
            windowY = a[1];
            break;
        case RecordedCall::Op::SetViewportExt:
            viewportX = a[0];
            viewportY = a[1];
            break;
        case RecordedCall::Op::OffsetWindowOrg:
            originX += a[0];
            originY += a[1];
            break;
        case RecordedCall::Op::Ellipse: {
            const auto x = [&](int units) { return (units - originX) * viewportX / windowX; };
            const auto y = [&](int units) { return (units - originY) * viewportY / windowY; };
            circles.push_back(
                QRectF(QPointF(x(a[0]), y(a[1])), QPointF(x(a[2]), y(a[3]))).normalized());
            break;
        }
        default:
            break;
        }
    }
    return circles;
}

struct FontCase {
    const char* name;
    double points; // 0: the default font
};
// 22.5 points on a screen of 96 pixels per inch: 30 units.
constexpr FontCase kFonts[] = {{"default", 0}, {"20 units", 15}, {"30 units", 22.5}};

class NodePlacesTest : public ViewCommandFixture {
  protected:
    void ChooseFont(double points) {
        ModalDriver driver([points](QWidget* w) {
            auto* dialog = qobject_cast<QFontDialog*>(w);
            ASSERT_NE(dialog, nullptr);
            QFont font(QStringLiteral("DejaVu Sans"));
            font.setPointSizeF(points);
            dialog->setCurrentFont(font);
            dialog->accept();
        });
        Run(ID_OPTIONS_FONT);
        ASSERT_TRUE(driver.Ran());
    }

    void ExpectNodesWhereDrawn(int diagrams) {
        RecordingDC dc(View()->logicalDpiX());
        View()->OnPrepareDC(&dc);
        View()->OnDraw(&dc);
        const std::vector<QRectF> circles = DrawnCircles(dc.Calls());
        ASSERT_EQ(int(circles.size()), 32 * diagrams);
        QAccessibleInterface* view = QAccessible::queryAccessibleInterface(View());
        ASSERT_EQ(view->childCount(), int(circles.size()));
        for (int k = 0; k < int(circles.size()); ++k) {
            SCOPED_TRACE("node " + std::to_string(k % 32) + " of diagram " +
                         std::to_string(k / 32));
            const QRectF& circle = circles[k];
            const double r = circle.width() / 2;
            // Its centre and the points a little inside its edge find it.
            for (const QPointF& at : {circle.center(), circle.center() + QPointF(0.7 * r, 0),
                                      circle.center() - QPointF(0, 0.7 * r)}) {
                const auto hit = View()->NodeAt(at.toPoint());
                ASSERT_TRUE(hit.has_value()) << at.x() << " " << at.y();
                EXPECT_EQ(hit->dataset * 32 + hit->node, k);
            }
            // Halfway to the next circle of its row lies no node.
            if (k + 1 < int(circles.size()) && circles[k + 1].center().y() == circle.center().y()) {
                const QPointF between = (circle.center() + circles[k + 1].center()) / 2;
                EXPECT_FALSE(View()->NodeAt(between.toPoint()).has_value());
            }
            const QRect told = view->child(k)->rect();
            const QPointF centre = QPointF(View()->mapFromGlobal(told.topLeft())) +
                                   QPointF(told.width(), told.height()) / 2;
            EXPECT_LE(std::abs(centre.x() - circle.center().x()), 1.0);
            EXPECT_LE(std::abs(centre.y() - circle.center().y()), 1.0);
        }
    }
};

TEST_F(NodePlacesTest, EveryNodeIsFoundAndToldWhereItIsDrawn) {
    const QString primary = WriteDataFile("run.dat", 26, 3);
    const QString imported = WriteDataFile("import.dat", 26, 3);
    StartCounting(primary);
    for (const FontCase& font : kFonts) {
        if (font.points > 0)
            ChooseFont(font.points);
        for (const bool withImport : {false, true}) {
            ASSERT_NE(theApp.OpenDocumentFile(primary), nullptr);
            if (withImport)
                Import(imported);
            // From the largest scale down to the smallest.
            for (int scale = 4; scale >= 1; --scale) {
                SCOPED_TRACE(std::string(font.name) + (withImport ? ", imported" : "") +
                             ", scale " + std::to_string(scale));
                ASSERT_EQ(View()->Options().scale, scale);
                ExpectNodesWhereDrawn(withImport ? 2 : 1);
                if (scale > 1)
                    Run(ID_OPTIONS_SCALE_SMALLER);
            }
            for (int scale = 1; scale < 4; ++scale)
                Run(ID_OPTIONS_SCALE_LARGER);
        }
    }
}

} // namespace
