// The flow layout that wraps chips onto lines: the arrangement pass and the item around it.
#include "CardTestSupport.h"
#include "FlowLayout.h"

using Positions = QList<QPointF>;

class FlowLayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareGuiTests(); }

    void flowArrangement_data()
    {
        QTest::addColumn<QList<QSizeF>>("sizes");
        QTest::addColumn<double>("width"); // negative: an open width
        QTest::addColumn<Positions>("positions");
        QTest::addColumn<QSizeF>("size");
        const QList<QSizeF> three{{50, 20}, {50, 24}, {50, 20}};
        // 0 + 50 fits, 56 + 50 = 106 fits, 112 + 50 does not: the third starts line two at
        // the first line's height (24) + 6; the width counts one trailing spacing per chip.
        QTest::newRow("ending exactly at the width stays")
            << three << 106.0 << Positions{{0, 0}, {56, 0}, {0, 30}} << QSizeF(112, 50);
        QTest::newRow("one short of it wraps")
            << three << 105.0 << Positions{{0, 0}, {0, 26}, {0, 56}} << QSizeF(56, 76);
        QTest::newRow("first on its line never moves down")
            << QList<QSizeF>{{300, 10}} << 200.0 << Positions{{0, 0}} << QSizeF(306, 10);
        QTest::newRow("wide chip after a narrow one wraps")
            << QList<QSizeF>{{20, 10}, {300, 12}} << 200.0 << Positions{{0, 0}, {0, 16}} << QSizeF(306, 28);
        QTest::newRow("open width keeps one line")
            << three << -1.0 << Positions{{0, 0}, {56, 0}, {112, 0}} << QSizeF(168, 24);
        QTest::newRow("no children") << QList<QSizeF>{} << 100.0 << Positions{} << QSizeF(0, 0);
    }
    void flowArrangement()
    {
        QFETCH(QList<QSizeF>, sizes);
        QFETCH(double, width);
        QFETCH(Positions, positions);
        QFETCH(QSizeF, size);
        const auto result = FlowLayout::arrange(sizes, width < 0 ? std::nullopt : std::optional<double>(width), 6);
        QCOMPARE(result.positions, positions);
        QCOMPARE(result.size, size);
    }

    // The item runs the same pass over its children's ideal sizes, wraps to its given width,
    // and reports the arrangement as its implicit size.
    void flowItemPlacesItsChildren()
    {
        Scene scene("import QtQuick\nimport Quillmoor.Ui\n"
                    "FlowLayout { width: 112; spacing: 6\n"
                    "  Repeater { model: 3; Rectangle { implicitWidth: 50; implicitHeight: 20 } } }\n");
        QVERIFY(scene.root);
        QTRY_COMPARE(scene.root->implicitHeight(), 46.0);
        QCOMPARE(scene.root->implicitWidth(), 112.0);
        QList<QPointF> placed;
        for (QQuickItem *child : scene.root->childItems())
            if (child->width() > 0)
                placed.append(child->position());
        QCOMPARE(placed, (Positions{{0, 0}, {56, 0}, {0, 26}}));
    }
};

QTEST_MAIN(FlowLayoutTest)
#include "tst_flow_layout.moc"
