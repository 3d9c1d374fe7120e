#include "GraphWidget.h"

#include "editors/EdgeItem.h"
#include "editors/NodeItem.h"

#include <QGraphicsScene>
#include <QJsonArray>
#include <QWheelEvent>
#include <QtMath>

#include <algorithm>
#include <vector>

namespace {

const qreal kRepulsion = 10000.0;
const qreal kSpringLength = 100.0;
const qreal kStep = 0.01;
const int kIterations = 100;
// Bound on the move of one node per iteration: kMinMove plus a share of kMaxMove that
// shrinks linearly to nothing. Without it the springs of a node with many neighbours
// overshoot further on every iteration until the positions overflow. The layouts of
// the shipped entries never come near the bound, so they are not changed by it.
const qreal kMaxMove = 200.0;
const qreal kMinMove = 5.0;
const qreal kSceneMargin = 50.0;

bool isDesignSoftware(const QString& category)
{
    return category == QLatin1String("CAD") || category == QLatin1String("CAE") ||
           category == QLatin1String("CFD");
}

} // namespace

GraphWidget::GraphWidget(QWidget* parent) : QGraphicsView(parent)
{
    m_scene = new QGraphicsScene(this);
    m_scene->setSceneRect(-400, -300, 800, 600);
    setScene(m_scene);

    setDragMode(QGraphicsView::RubberBandDrag);
    setRenderHint(QPainter::Antialiasing);
    setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
    setResizeAnchor(QGraphicsView::AnchorViewCenter);

    connect(m_scene, &QGraphicsScene::changed, this, &GraphWidget::onSceneChanged);
}

GraphWidget::~GraphWidget() = default;

void GraphWidget::setData(const QJsonObject& data)
{
    m_scene->clear();
    m_nodes.clear();
    m_edges.clear();
    m_data = data;

    if (isDesignSoftware(data.value(QStringLiteral("category")).toString()))
        buildSoftwareGraph(data);
    else if (data.contains(QStringLiteral("type")) &&
             data.value(QStringLiteral("type")).toString().contains(QLatin1String("Kernel")))
        buildTechnologyGraph(data);
    else if (data.contains(QStringLiteral("headquarters")))
        buildCompanyGraph(data);
    else
        buildGenericGraph(data);

    if (m_autoLayout && !m_nodes.isEmpty())
        applyForceDirectedLayout();
}

void GraphWidget::addNode(const QString& id, const QString& label, const QPointF& position)
{
    if (m_nodes.contains(id))
        return;
    auto* node = new NodeItem(id, label);
    node->setPos(position);
    m_scene->addItem(node);
    m_nodes.insert(id, node);
}

void GraphWidget::addEdge(const QString& fromId, const QString& toId, const QString& label)
{
    NodeItem* from = m_nodes.value(fromId);
    NodeItem* to = m_nodes.value(toId);
    if (!from || !to)
        return;
    auto* edge = new EdgeItem(from, to, label);
    m_scene->addItem(edge);
    m_edges.append(edge);
}

void GraphWidget::buildSoftwareGraph(const QJsonObject& data)
{
    addNode(QStringLiteral("software"), data.value(QStringLiteral("name")).toString(),
            QPointF(0, 0));

    if (data.contains(QStringLiteral("vendor"))) {
        addNode(QStringLiteral("vendor"), data.value(QStringLiteral("vendor")).toString(),
                QPointF(-150, 0));
        addEdge(QStringLiteral("vendor"), QStringLiteral("software"), tr("开发"));
    }

    const QJsonObject techSpecs = data.value(QStringLiteral("technicalSpecs")).toObject();
    const QJsonArray kernels = techSpecs.value(QStringLiteral("kernel")).toArray();
    for (int i = 0; i < kernels.size(); ++i) {
        const QString id = QStringLiteral("kernel_%1").arg(i);
        addNode(id, kernels.at(i).toString(), QPointF(150, -50 + 30 * i));
        addEdge(QStringLiteral("software"), id, tr("使用内核"));
    }

    const QJsonArray platforms = techSpecs.value(QStringLiteral("platform")).toArray();
    for (int i = 0; i < platforms.size(); ++i) {
        const QString id = QStringLiteral("platform_%1").arg(i);
        addNode(id, platforms.at(i).toString(), QPointF(-50, 100 + 30 * i));
        addEdge(QStringLiteral("software"), id, tr("支持平台"));
    }

    const QJsonArray industries = data.value(QStringLiteral("industryApplications")).toArray();
    for (int i = 0; i < industries.size(); ++i) {
        const QString id = QStringLiteral("industry_%1").arg(i);
        addNode(id, industries.at(i).toObject().value(QStringLiteral("industry")).toString(),
                QPointF(50, 150 + 40 * i));
        addEdge(QStringLiteral("software"), id, tr("应用于"));
    }
}

void GraphWidget::buildCompanyGraph(const QJsonObject& data)
{
    addNode(QStringLiteral("company"), data.value(QStringLiteral("name")).toString(),
            QPointF(0, 0));

    if (data.contains(QStringLiteral("headquarters"))) {
        addNode(QStringLiteral("hq"), data.value(QStringLiteral("headquarters")).toString(),
                QPointF(-100, -50));
        addEdge(QStringLiteral("company"), QStringLiteral("hq"), tr("总部"));
    }

    const QJsonArray products = data.value(QStringLiteral("products")).toArray();
    for (int i = 0; i < products.size(); ++i) {
        const QString id = QStringLiteral("product_%1").arg(i);
        addNode(id, products.at(i).toString(), QPointF(80, -80 + 40 * i));
        addEdge(QStringLiteral("company"), id, tr("产品"));
    }
}

void GraphWidget::buildTechnologyGraph(const QJsonObject& data)
{
    addNode(QStringLiteral("tech"), data.value(QStringLiteral("name")).toString(), QPointF(0, 0));

    if (data.contains(QStringLiteral("vendor"))) {
        addNode(QStringLiteral("vendor"), data.value(QStringLiteral("vendor")).toString(),
                QPointF(-100, -100));
        addEdge(QStringLiteral("vendor"), QStringLiteral("tech"), tr("开发"));
    }

    const QJsonArray users = data.value(QStringLiteral("applications"))
                                 .toObject()
                                 .value(QStringLiteral("directUsers"))
                                 .toArray();
    for (int i = 0; i < users.size(); ++i) {
        const QString id = QStringLiteral("user_%1").arg(i);
        addNode(id, users.at(i).toObject().value(QStringLiteral("software")).toString(),
                QPointF(100 + 50 * i, 50));
        addEdge(QStringLiteral("tech"), id, tr("被使用"));
    }
}

void GraphWidget::buildGenericGraph(const QJsonObject& data)
{
    const QString name = data.value(QStringLiteral("name")).toString();
    if (name.isEmpty())
        return;
    addNode(QStringLiteral("main"), name, QPointF(0, 0));

    if (data.contains(QStringLiteral("vendor"))) {
        addNode(QStringLiteral("vendor"), data.value(QStringLiteral("vendor")).toString(),
                QPointF(-100, -100));
        addEdge(QStringLiteral("main"), QStringLiteral("vendor"), tr("开发商"));
    }
    if (data.contains(QStringLiteral("category"))) {
        addNode(QStringLiteral("category"), data.value(QStringLiteral("category")).toString(),
                QPointF(100, -100));
        addEdge(QStringLiteral("main"), QStringLiteral("category"), tr("类别"));
    }
}

void GraphWidget::applyForceDirectedLayout()
{
    // Sorted by id so the floating-point sums, and thus the result, repeat from run to run.
    std::vector<NodeItem*> nodes;
    nodes.reserve(static_cast<size_t>(m_nodes.size()));
    for (NodeItem* node : std::as_const(m_nodes))
        nodes.push_back(node);
    std::sort(nodes.begin(), nodes.end(),
              [](const NodeItem* a, const NodeItem* b) { return a->id() < b->id(); });

    QHash<const NodeItem*, size_t> indexOf;
    for (size_t i = 0; i < nodes.size(); ++i)
        indexOf.insert(nodes[i], i);

    std::vector<QPointF> displacement(nodes.size());
    for (int iteration = 0; iteration < kIterations; ++iteration) {
        std::fill(displacement.begin(), displacement.end(), QPointF(0, 0));

        for (size_t i = 0; i < nodes.size(); ++i) {
            for (size_t j = i + 1; j < nodes.size(); ++j) {
                const QPointF delta = nodes[i]->pos() - nodes[j]->pos();
                const qreal distance = qSqrt(QPointF::dotProduct(delta, delta));
                if (distance <= 0)
                    continue;
                const QPointF force = delta / distance * (kRepulsion / distance);
                displacement[i] += force;
                displacement[j] -= force;
            }
        }

        for (const EdgeItem* edge : std::as_const(m_edges)) {
            const size_t s = indexOf.value(edge->fromNode());
            const size_t e = indexOf.value(edge->toNode());
            const QPointF delta = nodes[s]->pos() - nodes[e]->pos();
            const qreal distance = qSqrt(QPointF::dotProduct(delta, delta));
            if (distance <= 0)
                continue;
            const QPointF force = delta / distance * (distance * distance / kSpringLength);
            displacement[s] -= force;
            displacement[e] += force;
        }

        const qreal maxMove = kMinMove + kMaxMove * (kIterations - iteration) / kIterations;
        for (size_t i = 0; i < nodes.size(); ++i) {
            QPointF move = displacement[i] * kStep;
            const qreal length = qSqrt(QPointF::dotProduct(move, move));
            if (!qIsFinite(length))
                continue;
            if (length > maxMove)
                move *= maxMove / length;
            nodes[i]->setPos(nodes[i]->pos() + move);
        }

        for (EdgeItem* edge : std::as_const(m_edges))
            edge->updatePosition();
    }

    m_scene->setSceneRect(m_scene->itemsBoundingRect().adjusted(-kSceneMargin, -kSceneMargin,
                                                                kSceneMargin, kSceneMargin));
}

void GraphWidget::wheelEvent(QWheelEvent* event)
{
    const qreal factor = event->angleDelta().y() > 0 ? kZoomFactor : 1.0 / kZoomFactor;
    scale(factor, factor);
    event->accept();
}

void GraphWidget::onSceneChanged()
{
    for (EdgeItem* edge : std::as_const(m_edges))
        edge->updatePosition();
}
