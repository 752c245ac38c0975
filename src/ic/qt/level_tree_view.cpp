// The level tree widget.
#include "ic/qt/level_tree_view.h"

#include "ic/level_tree.h"

#include <map>
#include <string>

#include <QTreeWidget>

namespace kardo {

void FillLevelTree(QTreeWidget& tree) {
    tree.clear();
    std::map<std::string, QTreeWidgetItem*> byKey;
    for (const LevelNode& node : BuildLevelTree()) {
        QTreeWidgetItem* item = nullptr;
        const auto parent = byKey.find(node.ParentKey);
        if (parent == byKey.end())
            item = new QTreeWidgetItem(&tree);
        else
            item = new QTreeWidgetItem(parent->second);
        item->setText(0, QString::fromStdString(node.Text));
        item->setData(0, Qt::UserRole, QString::fromStdString(node.Key));
        byKey[node.Key] = item;
    }
    tree.expandAll();
}

void ConnectLevelTree(QTreeWidget& tree) {
    QObject::connect(&tree, &QTreeWidget::itemClicked, &tree, [](QTreeWidgetItem* item, int) {
        if (item)
            tvwLevel_NodeClick(item->data(0, Qt::UserRole).toString().toStdString());
    });
}

} // namespace kardo
