#include "data/EmbeddedDataAdapter.h"
#include "editors/EdgeItem.h"
#include "editors/GraphWidget.h"
#include "editors/NodeItem.h"

#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPainter>
#include <QPen>
#include <QStyleOptionGraphicsItem>
#include <QWheelEvent>
#include <QtMath>
#include <QtTest>

#include <algorithm>
#include <map>

namespace {

// JSON written with single quotes, which keeps the fixtures readable.
QJsonObject json(const char* text)
{
    QByteArray bytes(text);
    bytes.replace('\'', '"');
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        qFatal("Bad JSON fixture: %s", text);
    return document.object();
}

struct ExpectedNode
{
    QString label;
    QPointF start;
};

struct ExpectedEdge
{
    QString from;
    QString to;
    QString label;
};

// An independent run of the spring layout over the starting positions the builders
// are expected to use; the widget's result must agree with it.
std::map<QString, QPointF> laidOut(const std::map<QString, ExpectedNode>& nodes,
                                   const QList<ExpectedEdge>& edges)
{
    std::map<QString, QPointF> position;
    for (const auto& [id, node] : nodes)
        position[id] = node.start;
    for (int iteration = 0; iteration < 100; ++iteration) {
        std::map<QString, QPointF> shift;
        for (const auto& [id, p] : position)
            shift[id] = QPointF();
        for (auto u = position.begin(); u != position.end(); ++u) {
            for (auto v = std::next(u); v != position.end(); ++v) {
                const QPointF d = u->second - v->second;
                const qreal r = std::hypot(d.x(), d.y());
                if (r > 0) {
                    shift[u->first] += d / r * (10000 / r);
                    shift[v->first] -= d / r * (10000 / r);
                }
            }
        }
        for (const ExpectedEdge& edge : edges) {
            const QPointF d = position[edge.from] - position[edge.to];
            const qreal r = std::hypot(d.x(), d.y());
            if (r > 0) {
                shift[edge.from] -= d / r * (r * r / 100);
                shift[edge.to] += d / r * (r * r / 100);
            }
        }
        // Each move is at most 5 plus 200, the 200 shrinking by 2 per iteration.
        const qreal limit = 5.0 + 200.0 * (100 - iteration) / 100;
        for (auto& [id, p] : position) {
            QPointF move = shift[id] * 0.01;
            const qreal length = std::hypot(move.x(), move.y());
            if (length > limit)
                move *= limit / length;
            p += move;
        }
    }
    return position;
}

bool near(const QPointF& a, const QPointF& b)
{
    return std::abs(a.x() - b.x()) < 1e-6 && std::abs(a.y() - b.y()) < 1e-6;
}

QString describe(const QPointF& p)
{
    return QStringLiteral("(%1, %2)").arg(p.x(), 0, 'g', 12).arg(p.y(), 0, 'g', 12);
}

void sendWheel(GraphWidget& view, int delta)
{
    const QPointF centre = QPointF(view.viewport()->rect().center());
    QWheelEvent event(centre, view.viewport()->mapToGlobal(centre), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.viewport(), &event);
}

} // namespace

using NodeTable = std::map<QString, ExpectedNode>;
using EdgeList = QList<ExpectedEdge>;
Q_DECLARE_METATYPE(NodeTable)
Q_DECLARE_METATYPE(EdgeList)

class TestGraphWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { EmbeddedDataAdapter::instance().initialize(); }

    void viewSettings()
    {
        GraphWidget view;
        QVERIFY(view.scene());
        QCOMPARE(view.scene()->sceneRect(), QRectF(-400, -300, 800, 600));
        QVERIFY(view.scene()->items().isEmpty());
        QCOMPARE(view.dragMode(), QGraphicsView::RubberBandDrag);
        QVERIFY(view.renderHints().testFlag(QPainter::Antialiasing));
        QCOMPARE(view.transformationAnchor(), QGraphicsView::AnchorUnderMouse);
        QCOMPARE(view.resizeAnchor(), QGraphicsView::AnchorViewCenter);
    }

    void buildsGraphs_data()
    {
        QTest::addColumn<QJsonObject>("entry");
        QTest::addColumn<NodeTable>("nodes");
        QTest::addColumn<EdgeList>("edges");

        QTest::newRow("CAD with vendor, two kernels, one platform, three industries")
            << json("{'name': 'NX', 'category': 'CAD', 'vendor': 'Siemens', 'technicalSpecs': "
                    "{'kernel': ['Parasolid', 'Parasolid'], 'platform': ['Windows']}, "
                    "'industryApplications': [{'industry': '航空航天'}, {'industry': '汽车'}, "
                    "{'usage': 'no industry'}]}")
            << NodeTable{{"software", {"NX", {0, 0}}},
                         {"vendor", {"Siemens", {-150, 0}}},
                         {"kernel_0", {"Parasolid", {150, -50}}},
                         {"kernel_1", {"Parasolid", {150, -20}}},
                         {"platform_0", {"Windows", {-50, 100}}},
                         {"industry_0", {"航空航天", {50, 150}}},
                         {"industry_1", {"汽车", {50, 190}}},
                         {"industry_2", {"", {50, 230}}}}
            << EdgeList{
                   {"vendor", "software", "开发"},       {"software", "kernel_0", "使用内核"},
                   {"software", "kernel_1", "使用内核"}, {"software", "platform_0", "支持平台"},
                   {"software", "industry_0", "应用于"}, {"software", "industry_1", "应用于"},
                   {"software", "industry_2", "应用于"}};
        QTest::newRow("CFD without vendor")
            << json("{'name': 'Fluent', 'category': 'CFD', 'technicalSpecs': {'platform': "
                    "['Linux', 'Windows']}}")
            << NodeTable{{"software", {"Fluent", {0, 0}}},
                         {"platform_0", {"Linux", {-50, 100}}},
                         {"platform_1", {"Windows", {-50, 130}}}}
            << EdgeList{{"software", "platform_0", "支持平台"},
                        {"software", "platform_1", "支持平台"}};
        QTest::newRow("company with headquarters, no products")
            << json("{'name': 'Ansys', 'headquarters': 'Canonsburg'}")
            << NodeTable{{"company", {"Ansys", {0, 0}}}, {"hq", {"Canonsburg", {-100, -50}}}}
            << EdgeList{{"company", "hq", "总部"}};
        QTest::newRow("company with products")
            << json("{'name': 'PTC', 'headquarters': 'Boston', 'products': ['Creo', 'Windchill', "
                    "3]}")
            << NodeTable{{"company", {"PTC", {0, 0}}},
                         {"hq", {"Boston", {-100, -50}}},
                         {"product_0", {"Creo", {80, -80}}},
                         {"product_1", {"Windchill", {80, -40}}},
                         {"product_2", {"", {80, 0}}}}
            << EdgeList{{"company", "hq", "总部"},
                        {"company", "product_0", "产品"},
                        {"company", "product_1", "产品"},
                        {"company", "product_2", "产品"}};
        QTest::newRow("CAM with kernel type and headquarters is a technology")
            << json("{'name': 'ACIS', 'category': 'CAM', 'type': '3D Kernel', 'headquarters': "
                    "'x', 'vendor': 'Spatial', 'applications': {'directUsers': [{'software': "
                    "'BricsCAD'}, {'software': 'SpaceClaim'}]}}")
            << NodeTable{{"tech", {"ACIS", {0, 0}}},
                         {"vendor", {"Spatial", {-100, -100}}},
                         {"user_0", {"BricsCAD", {100, 50}}},
                         {"user_1", {"SpaceClaim", {150, 50}}}}
            << EdgeList{{"vendor", "tech", "开发"},
                        {"tech", "user_0", "被使用"},
                        {"tech", "user_1", "被使用"}};
        QTest::newRow("generic with vendor and category")
            << json("{'name': 'Mastercam', 'category': 'CAM', 'vendor': 'CNC Software'}")
            << NodeTable{{"main", {"Mastercam", {0, 0}}},
                         {"vendor", {"CNC Software", {-100, -100}}},
                         {"category", {"CAM", {100, -100}}}}
            << EdgeList{{"main", "vendor", "开发商"}, {"main", "category", "类别"}};
        QTest::newRow("company without name keeps an empty main label")
            << json("{'founded': 1970, 'headquarters': 'x'}")
            << NodeTable{{"company", {"", {0, 0}}}, {"hq", {"x", {-100, -50}}}}
            << EdgeList{{"company", "hq", "总部"}};
        QTest::newRow("founded alone is no company")
            << json("{'name': 'Old', 'founded': 1970}") << NodeTable{{"main", {"Old", {0, 0}}}}
            << EdgeList{};
    }

    void buildsGraphs()
    {
        QFETCH(QJsonObject, entry);
        QFETCH(NodeTable, nodes);
        QFETCH(EdgeList, edges);

        GraphWidget view;
        view.setData(entry);

        QCOMPARE(view.nodes().size(), static_cast<qsizetype>(nodes.size()));
        const std::map<QString, QPointF> expectedPositions = laidOut(nodes, edges);
        for (const auto& [id, expected] : nodes) {
            NodeItem* node = view.nodes().value(id);
            QVERIFY2(node, qPrintable(id));
            QCOMPARE(node->id(), id);
            QCOMPARE(node->label(), expected.label);
            QCOMPARE(node->textItem()->toPlainText(), expected.label);
            QVERIFY2(near(node->pos(), expectedPositions.at(id)),
                     qPrintable(id + ": " + describe(node->pos()) + " expected " +
                                describe(expectedPositions.at(id))));
        }

        QCOMPARE(view.edges().size(), edges.size());
        for (int i = 0; i < edges.size(); ++i) {
            const EdgeItem* edge = view.edges().at(i);
            QCOMPARE(edge->fromNode()->id(), edges[i].from);
            QCOMPARE(edge->toNode()->id(), edges[i].to);
            QCOMPARE(edge->label(), edges[i].label);
            QCOMPARE(edge->line(), QLineF(edge->fromNode()->pos(), edge->toNode()->pos()));
        }

        // The scene is the items' bounding box with a margin of 50 on every side.
        QRectF bounds;
        const auto items = view.scene()->items();
        for (const QGraphicsItem* item : items)
            bounds |= item->sceneBoundingRect();
        QCOMPARE(view.scene()->sceneRect(), bounds.adjusted(-50, -50, 50, 50));
        // Every node lies inside the margin (allowing for the rounding of the margin sums).
        const QRectF inner = view.scene()->sceneRect().adjusted(49.999, 49.999, -49.999, -49.999);
        for (const NodeItem* node : view.nodes())
            QVERIFY(inner.contains(node->sceneBoundingRect()));
    }

    void layoutSpreadsNodesOut()
    {
        GraphWidget view;
        view.setData(json("{'name': 'N', 'category': 'CAD', 'technicalSpecs': {'kernel': ['a', "
                          "'b', 'c']}}"));
        // Kernels start 30 apart; repulsion pushes them further.
        const qreal gap =
            QLineF(view.nodes().value("kernel_0")->pos(), view.nodes().value("kernel_1")->pos())
                .length();
        QVERIFY2(gap > 30, qPrintable(QString::number(gap)));
    }

    void layoutStaysFinite_data()
    {
        QTest::addColumn<QJsonObject>("entry");
        QTest::addColumn<int>("nodeCount");

        const auto strings = [](int count, const QString& prefix) {
            QJsonArray items;
            for (int i = 0; i < count; ++i)
                items.append(prefix + QString::number(i));
            return items;
        };
        const auto objects = [](int count, const QString& key) {
            QJsonArray items;
            for (int i = 0; i < count; ++i)
                items.append(QJsonObject{{key, key + QString::number(i)}});
            return items;
        };
        for (const int count : {30, 40, 200}) {
            QTest::addRow("software with %d kernels", count)
                << QJsonObject{{"name", "S"},
                               {"category", "CAD"},
                               {"vendor", "V"},
                               {"technicalSpecs", QJsonObject{{"kernel", strings(count, "k")}}}}
                << count + 2;
            QTest::addRow("software with %d kernels, platforms and industries", count)
                << QJsonObject{{"name", "S"},
                               {"category", "CAE"},
                               {"technicalSpecs", QJsonObject{{"kernel", strings(count, "k")},
                                                              {"platform", strings(count, "p")}}},
                               {"industryApplications", objects(count, "industry")}}
                << 3 * count + 1;
            QTest::addRow("company with %d products", count)
                << QJsonObject{{"name", "C"},
                               {"headquarters", "H"},
                               {"products", strings(count, "p")}}
                << count + 2;
            QTest::addRow("technology with %d users", count)
                << QJsonObject{{"name", "T"},
                               {"type", "Kernel"},
                               {"applications",
                                QJsonObject{{"directUsers", objects(count, "software")}}}}
                << count + 1;
        }
    }

    void layoutStaysFinite()
    {
        QFETCH(QJsonObject, entry);
        QFETCH(int, nodeCount);
        GraphWidget view;
        view.setData(entry);
        QCOMPARE(view.nodes().size(), nodeCount);

        // The builders start every node within 10,050 of the origin and the layout moves
        // a node by at most 10,600 in all, so nothing may end up beyond 21,000; and the
        // springs keep every node within 1,000 of the main one.
        const QRectF saneBox(-21000, -21000, 42000, 42000);
        const NodeItem* main = nullptr;
        for (const char* id : {"software", "company", "tech"})
            main = main ? main : view.nodes().value(QString::fromLatin1(id));
        QVERIFY(main);
        for (const NodeItem* node : view.nodes()) {
            const QPointF p = node->pos();
            QVERIFY2(qIsFinite(p.x()) && qIsFinite(p.y()),
                     qPrintable(node->id() + ": " + describe(p)));
            QVERIFY2(saneBox.contains(p), qPrintable(node->id() + ": " + describe(p)));
            QVERIFY2(
                QLineF(p, main->pos()).length() < 1000,
                qPrintable(node->id() + ": " + describe(p) + " main " + describe(main->pos())));
        }
        // Still spread out: no two nodes on top of each other.
        const QList<NodeItem*> all = view.nodes().values();
        for (int i = 0; i < all.size(); ++i) {
            for (int j = i + 1; j < all.size(); ++j)
                QVERIFY2(QLineF(all[i]->pos(), all[j]->pos()).length() > 20,
                         qPrintable(all[i]->id() + " and " + all[j]->id()));
        }
        for (const EdgeItem* edge : view.edges())
            QCOMPARE(edge->line(), QLineF(edge->fromNode()->pos(), edge->toNode()->pos()));
        const QRectF sceneRect = view.scene()->sceneRect();
        QVERIFY(qIsFinite(sceneRect.width()) && qIsFinite(sceneRect.height()));
        QVERIFY(saneBox.adjusted(-1000, -1000, 1000, 1000).contains(sceneRect));
        QVERIFY(sceneRect.width() > 100 && sceneRect.height() > 100);
    }

    void layoutOfTheRealEntriesStaysFinite()
    {
        // Every graph the knowledge base gives stays inside a few screens.
        EmbeddedDataAdapter& data = EmbeddedDataAdapter::instance();
        GraphWidget view;
        int graphs = 0;
        const QStringList paths = data.getAvailableResources();
        for (const QString& path : paths) {
            if (!path.endsWith(QLatin1String(".json")) || path.contains(QLatin1String("/config/")))
                continue;
            view.setData(data.loadEmbeddedJson(path));
            for (const NodeItem* node : view.nodes()) {
                const QPointF p = node->pos();
                QVERIFY2(qIsFinite(p.x()) && qIsFinite(p.y()) && qAbs(p.x()) < 5000 &&
                             qAbs(p.y()) < 5000,
                         qPrintable(path + " " + node->id() + ": " + describe(p)));
            }
            if (!view.nodes().isEmpty())
                ++graphs;
        }
        QVERIFY(graphs > 50);
    }

    void genericWithoutNameIsEmpty()
    {
        GraphWidget view;
        view.setData(json("{'vendor': 'x', 'category': 'y'}"));
        QVERIFY(view.nodes().isEmpty());
        QVERIFY(view.edges().isEmpty());
        QVERIFY(view.scene()->items().isEmpty());
        QCOMPARE(view.scene()->sceneRect(), QRectF(-400, -300, 800, 600));
    }

    void nextEntryReplacesTheGraph()
    {
        GraphWidget view;
        view.setData(json("{'name': 'A', 'category': 'CAD', 'vendor': 'V'}"));
        QCOMPARE(view.nodes().size(), 2);
        view.setData(json("{'name': 'B'}"));
        QCOMPARE(view.nodes().size(), 1);
        QVERIFY(view.nodes().contains("main"));
        QVERIFY(view.edges().isEmpty());
        QCOMPARE(view.scene()->items().size(), 2); // the node and its text
        // A single node lies where it started.
        QCOMPARE(view.nodes().value("main")->pos(), QPointF(0, 0));
    }

    void realCadEntry()
    {
        const QJsonObject entry = EmbeddedDataAdapter::instance().loadEmbeddedJson(
            QStringLiteral("data/software/cad/catia.json"));
        QVERIFY(!entry.isEmpty());
        const QJsonObject techSpecs = entry.value("technicalSpecs").toObject();
        const qsizetype kernels = techSpecs.value("kernel").toArray().size();
        const qsizetype platforms = techSpecs.value("platform").toArray().size();
        const qsizetype industries = entry.value("industryApplications").toArray().size();
        QVERIFY(industries > 0);

        GraphWidget view;
        view.setData(entry);
        QCOMPARE(view.nodes().size(), 2 + kernels + platforms + industries);
        QCOMPARE(view.edges().size(), 1 + kernels + platforms + industries);
        QCOMPARE(view.nodes().value("software")->label(), QStringLiteral("CATIA"));
        QCOMPARE(view.nodes().value("vendor")->label(), QStringLiteral("Dassault Systèmes"));
        QCOMPARE(view.nodes().value("industry_0")->label(),
                 entry.value("industryApplications")[0].toObject().value("industry").toString());
    }

    void addNodeAndEdgeRules()
    {
        GraphWidget view;
        view.addNode("a", "A", QPointF(10, 20));
        view.addNode("a", "other", QPointF(99, 99));
        QCOMPARE(view.nodes().size(), 1);
        QCOMPARE(view.nodes().value("a")->label(), QStringLiteral("A"));
        QCOMPARE(view.nodes().value("a")->pos(), QPointF(10, 20));

        view.addEdge("a", "missing", "x");
        view.addEdge("missing", "a", "x");
        QVERIFY(view.edges().isEmpty());

        view.addNode("b", "B", QPointF(-10, 0));
        view.addEdge("a", "b", "one");
        view.addEdge("a", "b", "two");
        QCOMPARE(view.edges().size(), 2);
        QCOMPARE(view.edges().at(1)->label(), QStringLiteral("two"));
        QCOMPARE(view.edges().at(0)->line(), QLineF(10, 20, -10, 0));
    }

    void nodeLooks()
    {
        NodeItem node("id", "一个较长的标签");
        QCOMPARE(node.rect(), QRectF(-30, -20, 60, 40));
        QCOMPARE(node.brush().color(), QColor(200, 230, 255));
        QCOMPARE(node.pen().color(), QColor(100, 150, 200));
        QCOMPARE(node.pen().widthF(), 2.0);
        QCOMPARE(node.pen().style(), Qt::SolidLine);
        QVERIFY(node.flags().testFlag(QGraphicsItem::ItemIsMovable));
        QVERIFY(node.flags().testFlag(QGraphicsItem::ItemIsSelectable));
        QCOMPARE(node.textItem()->parentItem(), &node);
        QCOMPARE(node.textItem()->font().pointSize(), 8);
        const QRectF text = node.textItem()->mapRectToParent(node.textItem()->boundingRect());
        QVERIFY(qAbs(text.center().x()) < 1e-9);
        QVERIFY(qAbs(text.center().y()) < 1e-9);
    }

    void edgeLooks()
    {
        NodeItem from("a", "A");
        NodeItem to("b", "B");
        to.setPos(100, 40);
        EdgeItem edge(&from, &to, "标签");
        QCOMPARE(edge.pen().color(), QColor(100, 100, 100));
        QCOMPARE(edge.pen().widthF(), 1.0);
        QCOMPARE(edge.zValue(), -1.0);
        QCOMPARE(edge.line(), QLineF(0, 0, 100, 40));
        QVERIFY(edge.labelItem());
        QCOMPARE(edge.labelItem()->font().pointSize(), 7);
        QCOMPARE(edge.labelItem()->toPlainText(), QStringLiteral("标签"));
        const QRectF label = edge.labelItem()->mapRectToParent(edge.labelItem()->boundingRect());
        QVERIFY(qAbs(label.center().x() - 50) < 1e-9);
        QVERIFY(qAbs(label.center().y() - 20) < 1e-9);

        EdgeItem bare(&from, &to, QString());
        QVERIFY(!bare.labelItem());
        EdgeItem loose(nullptr, &to, "x");
        QCOMPARE(loose.line(), QLineF());
        loose.updatePosition();
        QCOMPARE(loose.line(), QLineF());
    }

    void arrowHeadMeetsTheEndNode_data()
    {
        QTest::addColumn<QPointF>("start");
        QTest::addColumn<QPointF>("end");

        QTest::newRow("to the right") << QPointF(0, 0) << QPointF(100, 0);
        QTest::newRow("to the left") << QPointF(100, 0) << QPointF(0, 0);
        QTest::newRow("up") << QPointF(0, 0) << QPointF(0, -50);
        QTest::newRow("down") << QPointF(0, 0) << QPointF(0, 80);
        QTest::newRow("diagonal") << QPointF(-40, -40) << QPointF(60, 60);
        QTest::newRow("steep") << QPointF(5, 0) << QPointF(20, 200);
        QTest::newRow("shallow") << QPointF(0, 0) << QPointF(-300, 17);
        QTest::newRow("end far from the origin") << QPointF(1000, -700) << QPointF(1234, -567);
    }

    void arrowHeadMeetsTheEndNode()
    {
        QFETCH(QPointF, start);
        QFETCH(QPointF, end);
        NodeItem from("a", "A");
        NodeItem to("b", "B");
        from.setPos(start);
        to.setPos(end);
        EdgeItem edge(&from, &to, QString());

        // The drawn outline of the end node: its ellipse and half its pen.
        QCOMPARE(edge.endRadii(), QSizeF(31, 21));
        const auto outlineValue = [&](const QPointF& p) {
            const QPointF d = p - end;
            return (d.x() / 31) * (d.x() / 31) + (d.y() / 21) * (d.y() / 21);
        };

        const QPolygonF head = EdgeItem::arrowHead(edge.line(), edge.endRadii());
        QCOMPARE(head.size(), 3);
        const QPointF tip = head.at(0);
        // The tip lies on the outline, on the segment between the two centres.
        QVERIFY2(qAbs(outlineValue(tip) - 1) < 1e-9, qPrintable(describe(tip)));
        const QLineF toTip(start, tip);
        QVERIFY(qAbs(toTip.length() + QLineF(tip, end).length() - edge.line().length()) < 1e-9);
        QCOMPARE(EdgeItem::boundaryPoint(edge.line(), edge.endRadii()), tip);

        // Both barbs are 10 long, 30 degrees either side of the way back to the start.
        const qreal back = QLineF(end, start).angle();
        QList<qreal> turns;
        for (int i = 1; i < 3; ++i) {
            const QLineF barb(tip, head.at(i));
            QVERIFY(qAbs(barb.length() - 10) < 1e-9);
            qreal turn = barb.angle() - back;
            while (turn > 180)
                turn -= 360;
            while (turn <= -180)
                turn += 360;
            turns << turn;
            // Outside the node: beyond its outline and off its shape.
            QVERIFY2(outlineValue(head.at(i)) > 1.05, qPrintable(describe(head.at(i))));
            QVERIFY(!to.shape().contains(to.mapFromScene(head.at(i))));
        }
        std::sort(turns.begin(), turns.end());
        QVERIFY(qAbs(turns.at(0) + 30) < 1e-9);
        QVERIFY(qAbs(turns.at(1) - 30) < 1e-9);
        // The filled head is off the node, so the node drawn above it hides none of it.
        const QPointF centroid = (head.at(0) + head.at(1) + head.at(2)) / 3;
        QVERIFY(!to.shape().contains(to.mapFromScene(centroid)));
        QVERIFY(edge.boundingRect().contains(head.boundingRect()));
    }

    void arrowHeadOfDegenerateLines()
    {
        // Coinciding ends give no direction: the head is the end point alone.
        const QPolygonF none = EdgeItem::arrowHead(QLineF(5, 5, 5, 5), QSizeF(31, 21));
        QCOMPARE(none, QPolygonF({QPointF(5, 5), QPointF(5, 5), QPointF(5, 5)}));
        // A start inside the end node still gives a tip on the outline.
        const QPointF tip = EdgeItem::boundaryPoint(QLineF(10, 0, 0, 0), QSizeF(31, 21));
        QVERIFY(qAbs(tip.x() - 31) < 1e-9);
        QVERIFY(qAbs(tip.y()) < 1e-9);
    }

    void paintsWithoutTrouble()
    {
        GraphWidget view;
        view.setData(json("{'name': 'N', 'category': 'CAD', 'vendor': 'V'}"));
        // A zero-length edge draws nothing.
        view.addNode("x", "X", QPointF(0, 0));
        view.addNode("y", "Y", QPointF(0, 0));
        view.addEdge("x", "y", "same place");
        QImage image(400, 300, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        view.scene()->render(&painter);
        painter.end();
        QVERIFY(image.pixel(0, 0) != 0u);
    }

    void edgePaintsLineAndArrowHeadOnly()
    {
        // Counts the pixels an edge between the two positions leaves on a white image.
        const auto paintedPixels = [](const QPointF& start, const QPointF& end, const QRect& area) {
            NodeItem from("a", "A");
            NodeItem to("b", "B");
            from.setPos(start);
            to.setPos(end);
            EdgeItem edge(&from, &to, QString());
            QImage image(120, 120, QImage::Format_ARGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            QStyleOptionGraphicsItem option;
            edge.paint(&painter, &option, nullptr);
            painter.end();
            int painted = 0;
            for (int y = area.top(); y <= area.bottom(); ++y) {
                for (int x = area.left(); x <= area.right(); ++x) {
                    if (image.pixel(x, y) != QColor(Qt::white).rgb())
                        ++painted;
                }
            }
            return painted;
        };
        const QRect everything(0, 0, 120, 120);

        // Both ends at one place: nothing at all, not even an arrow head.
        QCOMPARE(paintedPixels(QPointF(60, 60), QPointF(60, 60), everything), 0);

        // A horizontal edge draws its line and, where it meets the end node's outline
        // (x = 59), the arrow head on both sides of the line, pointing right.
        QVERIFY(paintedPixels(QPointF(10, 50), QPointF(90, 50), QRect(30, 50, 10, 1)) > 0);
        QVERIFY(paintedPixels(QPointF(10, 50), QPointF(90, 50), QRect(51, 45, 6, 3)) > 0);
        QVERIFY(paintedPixels(QPointF(10, 50), QPointF(90, 50), QRect(51, 53, 6, 3)) > 0);
        // Nothing beside the line under the end node, nor far off the line.
        QCOMPARE(paintedPixels(QPointF(10, 50), QPointF(90, 50), QRect(62, 40, 40, 8)), 0);
        QCOMPARE(paintedPixels(QPointF(10, 50), QPointF(90, 50), QRect(62, 53, 40, 8)), 0);
        QCOMPARE(paintedPixels(QPointF(10, 50), QPointF(90, 50), QRect(0, 70, 120, 50)), 0);
    }

    void wheelZoomsInAndOut()
    {
        GraphWidget view;
        view.resize(400, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));

        sendWheel(view, 120);
        QVERIFY(qFuzzyCompare(view.transform().m11(), 1.15));
        QVERIFY(qFuzzyCompare(view.transform().m22(), 1.15));
        sendWheel(view, -120);
        QVERIFY(qFuzzyCompare(view.transform().m11(), 1.0));
        QVERIFY(qFuzzyCompare(view.transform().m22(), 1.0));

        // No delta zooms out as well, and there is no limit either way.
        sendWheel(view, 0);
        QVERIFY(qFuzzyCompare(view.transform().m11(), 1.0 / 1.15));
        for (int i = 0; i < 60; ++i)
            sendWheel(view, 120);
        QVERIFY(qFuzzyCompare(view.transform().m11(), std::pow(1.15, 59)));
    }

    void edgesFollowDraggedNodes()
    {
        GraphWidget view;
        view.resize(600, 400);
        view.setData(json("{'name': 'Ansys', 'headquarters': 'Canonsburg'}"));
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));

        NodeItem* hq = view.nodes().value("hq");
        NodeItem* company = view.nodes().value("company");
        EdgeItem* edge = view.edges().first();
        const QPointF start = hq->pos();
        const QPoint press = view.mapFromScene(start);
        const QPoint release = press + QPoint(40, 30);

        QTest::mousePress(view.viewport(), Qt::LeftButton, Qt::NoModifier, press);
        QMouseEvent move(QEvent::MouseMove, QPointF(release),
                         view.viewport()->mapToGlobal(QPointF(release)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &move);
        QTest::mouseRelease(view.viewport(), Qt::LeftButton, Qt::NoModifier, release);

        QVERIFY2(QLineF(hq->pos(), start).length() > 10, qPrintable(describe(hq->pos())));
        QTRY_COMPARE(edge->line(), QLineF(company->pos(), hq->pos()));
        const QRectF label = edge->labelItem()->mapRectToParent(edge->labelItem()->boundingRect());
        QVERIFY(QLineF(label.center(), edge->line().center()).length() < 1e-9);
    }
};

QTEST_MAIN(TestGraphWidget)
#include "tst_graphwidget.moc"
