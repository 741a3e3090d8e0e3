#pragma once

class QAbstractItemView;
class QDragMoveEvent;
class QDropEvent;

// Drag and drop on the lists and trees of the main window: rows and nodes may be dragged and
// every control shows the accepting cursor, but a drop changes nothing. Entries move only
// through the transfer and edit commands.
class DragAcceptance {
public:
    // Lets the view start drags and receive drops.
    static void enable(QAbstractItemView* view);
    static void accept(QDragMoveEvent* event);
    static void ignoreDrop(QDropEvent* event);
};
