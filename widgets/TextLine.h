#pragma once

#include <QObject>
#include <QVector>

class QLabel;
class QWidget;

// One line of captions and the texts they introduce (caption, text, caption,
// text ...), laid out left to right so that every text reads whole. Each item
// stands at its layout place while its neighbours leave room; a wider text
// moves what follows it to the right, leaving a blank after it, and a caption
// not ending in a blank keeps one before its text. When that would run past
// the line's end, items move back left into the room before them; a line too
// long even packed tight draws its texts condensed (widgets/DbText), never
// over each other.
class TextLine : public QObject {
    Q_OBJECT
public:
    // `right`: where the line ends, in the parent's coordinates.
    TextLine(int right, QObject* parent = nullptr);
    // Adds the next item; its position and width now are its layout place.
    void add(QLabel* item, bool isText);
    // Places the items for the texts they show now.
    void layOut();

private:
    struct Item {
        QLabel* label;
        bool isText;
        int left;  // the layout's place
        int width; // the layout's box (texts)
    };
    QVector<Item> m_items;
    int m_right;
};
