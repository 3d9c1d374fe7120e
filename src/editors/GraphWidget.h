#pragma once

#include <QGraphicsView>
#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QPointF>
#include <QString>

class EdgeItem;
class NodeItem;
class QGraphicsScene;

// An entry drawn as a small relation graph around it, spread by a force-directed layout.
// Nodes can be dragged (their arrows follow) and the view zooms with the mouse wheel.
class GraphWidget : public QGraphicsView
{
    Q_OBJECT

public:
    explicit GraphWidget(QWidget* parent = nullptr);
    ~GraphWidget() override;

    void setData(const QJsonObject& data);

    void addNode(const QString& id, const QString& label, const QPointF& position);
    void addEdge(const QString& fromId, const QString& toId, const QString& label);
    void applyForceDirectedLayout();

    const QHash<QString, NodeItem*>& nodes() const { return m_nodes; }
    const QList<EdgeItem*>& edges() const { return m_edges; }

    static constexpr qreal kZoomFactor = 1.15;

signals:
    void nodeClicked(const QString& nodeId);
    void edgeClicked(const QString& fromId, const QString& toId);

protected:
    void wheelEvent(QWheelEvent* event) override;

private slots:
    void onSceneChanged();

private:
    void buildSoftwareGraph(const QJsonObject& data);
    void buildCompanyGraph(const QJsonObject& data);
    void buildTechnologyGraph(const QJsonObject& data);
    void buildGenericGraph(const QJsonObject& data);

    QGraphicsScene* m_scene = nullptr;
    QHash<QString, NodeItem*> m_nodes;
    QList<EdgeItem*> m_edges;
    bool m_autoLayout = true;
    QJsonObject m_data;
};
