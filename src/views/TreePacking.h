#pragma once

#include <QPoint>

#include <algorithm>
#include <cstddef>
#include <vector>

// The top-down packing of a tree of equal boxes that the hierarchical chart and its printout share: children in
// a row one column pitch apart, each subtree taking the columns of its leaves, a parent moved over the middle of
// its subtree. The walk keeps its own stack, for a tree may be as deep as it has nodes.
struct PackingMetrics {
    int boxWidth = 0;
    int boxHeight = 0;
    int gapX = 0;
    int gapY = 0;
};

// Tree gives:
//   std::size_t ChildCount(Node) and Node Child(Node, std::size_t);
//   bool IsLeaf(Node, int depth): lays no child of the node out (folded, or beyond a depth limit);
//   void Place(Node, int x, int y): the node's first place; void Centre(Node, int x): moved over its subtree;
//   void Finish(Node, int spanLeft, int spanRight): after its subtree, with the columns it took.
// The children of a node packed at depth d lie on row d + rowShift; the result is the cursor after the tree.
template <class Tree, class Node>
QPoint PackTree(Tree& tree, Node root, int depth, int rowShift, const PackingMetrics& metrics) {
    const int pitch = metrics.boxWidth + metrics.gapX;
    const int rowPitch = metrics.boxHeight + metrics.gapY;
    struct Frame {
        Node node;
        int depth;
        QPoint cursor;
        QPoint result;
        std::size_t next;
        std::size_t count;
        int childX;
    };
    std::vector<Frame> stack;
    const auto push = [&](Node node, int nodeDepth, QPoint cursor) {
        const std::size_t count = tree.IsLeaf(node, nodeDepth) ? 0 : tree.ChildCount(node);
        const QPoint result = count == 0 ? QPoint(cursor.x() + pitch, cursor.y()) : QPoint(0, 0);
        stack.push_back({node, nodeDepth, cursor, result, 0, count, 0});
    };
    push(root, depth, QPoint(0, 0));
    QPoint returned;
    bool hasReturned = false;
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (hasReturned) {
            hasReturned = false;
            const Node child = tree.Child(frame.node, frame.next - 1);
            frame.cursor = returned;
            const int x = frame.childX;
            if (x + pitch < frame.cursor.x())
                tree.Centre(child, x + (frame.cursor.x() - metrics.gapX - x - metrics.boxWidth) / 2);
            tree.Finish(child, x, std::max(x + metrics.boxWidth, frame.cursor.x() - metrics.gapX));
        }
        if (frame.next < frame.count) {
            const Node child = tree.Child(frame.node, frame.next);
            const int x = frame.cursor.x();
            const int y = rowPitch * (frame.depth + rowShift);
            frame.cursor.setY(y);
            if (frame.next + 1 == frame.count)
                frame.result = QPoint(x + pitch, y);
            tree.Place(child, x, y);
            frame.childX = x;
            ++frame.next;
            const QPoint cursor = frame.cursor;
            const int childDepth = frame.depth + 1;
            push(child, childDepth, cursor);
            continue;
        }
        QPoint result = frame.result;
        if (result.x() < frame.cursor.x())
            result = frame.cursor;
        stack.pop_back();
        returned = result;
        hasReturned = true;
    }
    return returned;
}
