// The window's controls: positions, sizes, captions and fonts of the layout.
#include "gui/Unit1.h"

#include "widgets/BallPanel.h"
#include "widgets/BarChart.h"
#include "widgets/DbGrid.h"
#include "widgets/DbText.h"
#include "widgets/LinkLabel.h"
#include "widgets/StatusBar.h"
#include "widgets/TextLine.h"
#include "widgets/WrapButton.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

namespace {

template <typename W> W* place(W* widget, const char* name, int left, int top) {
    widget->setObjectName(QLatin1String(name));
    widget->move(left, top);
    return widget;
}

template <typename W> W* place(W* widget, const char* name, int left, int top, int w, int h) {
    place(widget, name, left, top);
    widget->resize(w, h);
    return widget;
}

QFont bold(const QWidget* w) {
    QFont f = w->font();
    f.setBold(true);
    return f;
}

QLabel* label(QWidget* parent, const char* name, const QString& caption, int left, int top,
              bool isBold = false) {
    auto* l = place(new QLabel(caption, parent), name, left, top);
    if (isBold)
        l->setFont(bold(l));
    l->adjustSize(); // labels size themselves to their captions
    return l;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, int left, int top,
                    int w, int h, bool wraps = false) {
    auto* b = new WrapButton(caption, wraps, parent);
    b->setAutoDefault(false);
    return place(b, name, left, top, w, h);
}

void bevel(QFrame* frame) {
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    frame->setLineWidth(2);
}

} // namespace

void TForm1::createControls() {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Нумерон 6 из 49"));
    // The client area is 1210 x 578 and never smaller where the screen has
    // room (fitToScreen() lowers it on a smaller screen). Window managers offer
    // maximise only to windows that may grow, so the size is a minimum; on
    // Windows the thin dialog border still keeps the user from dragging it.
    setMinimumSize(kClientWidth, kClientHeight);
    resize(kClientWidth, kClientHeight);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    clBtnFace = palette().color(QPalette::Button);
    ClientScroll = new QScrollArea(this);
    ClientScroll->setObjectName(QStringLiteral("ClientScroll"));
    ClientScroll->setFrameShape(QFrame::NoFrame);
    ClientScroll->setGeometry(0, 0, kClientWidth, kClientHeight - kStatusBarHeight);
    ClientArea = new QWidget;
    ClientArea->setObjectName(QStringLiteral("ClientArea"));
    ClientArea->setFixedSize(kClientWidth, kClientHeight - kStatusBarHeight);
    createChartStrip();
    createDrawPanel();
    createGrids();
    createCommandColumn();
    createBallPanel();
    createActionButtons();
    createInputRow();
    ClientScroll->setWidget(ClientArea);
    StatusBar1 = place(new StatusBar({75, 50}, this), "StatusBar1", 0,
                       kClientHeight - kStatusBarHeight, kClientWidth, kStatusBarHeight);
    StatusBar1->setPanelText(0, QStringLiteral("Всего строк"));
    createAnalysisButton();
    createWheelsButton();
    setTabOrder();
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Maximised, every control keeps its place and size; only the status bar,
    // docked to the bottom edge, follows the edge.
    if (StatusBar1)
        StatusBar1->setGeometry(0, height() - kStatusBarHeight, width(), kStatusBarHeight);
    layOutClientScroll();
}

void TForm1::layOutClientScroll() {
    // The scrolling area is the client area's own size where the window has
    // room for it, so that nothing moves when the window grows; narrower or
    // lower, it takes what there is and scroll bars take the rest.
    if (!ClientScroll)
        return;
    const QSize content = ClientArea->size();
    const int room = height() - kStatusBarHeight;
    const int across = ClientScroll->horizontalScrollBar()->sizeHint().height();
    const int down = ClientScroll->verticalScrollBar()->sizeHint().width();
    const bool narrow = width() < content.width();
    const int h = qMin(room, content.height() + (narrow ? across : 0));
    const bool low = h < content.height() + (narrow ? across : 0);
    ClientScroll->setGeometry(0, 0, qMin(width(), content.width() + (low ? down : 0)), h);
}

QFont TForm1::layoutFont() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

void TForm1::createChartStrip() {
    DBChart1 =
        place(new BarChart(QStringLiteral("Статистика"), ClientArea), "DBChart1", 16, 9, 1185, 208);
}

void TForm1::createDrawPanel() {
    Panel1 = place(new QFrame(ClientArea), "Panel1", 8, 224, 1129, 33);
    bevel(Panel1);
    struct Text {
        const char* name;
        const char* field;
        int left, width;
        DisplayForm form;
    };
    static const Text texts[] = {
        {"DBText1", "tir", 64, 41, DisplayForm::Plain},
        {"DBText2", "ch6", 157, 15, DisplayForm::Plain},
        {"DBText3", "chv6", 230, 81, DisplayForm::Amount},
        {"DBText4", "ch5", 376, 17, DisplayForm::Plain},
        {"DBText5", "chv5", 449, 65, DisplayForm::Amount},
        {"DBText6", "ch4", 574, 16, DisplayForm::Plain},
        {"DBText7", "chv4", 646, 53, DisplayForm::Amount},
        {"DBText8", "ch3", 761, 26, DisplayForm::Plain},
        {"DBText9", "chv3", 844, 37, DisplayForm::Amount},
        {"DBText10", "djp", 941, 76, DisplayForm::Amount},
        {"DBText11", "tirdate", 1059, 62, DisplayForm::Date},
    };
    for (size_t i = 0; i < std::size(texts); ++i) {
        const Text& t = texts[i];
        DBText[i] = place(new DbText(QLatin1String(t.field), t.form, Panel1), t.name, t.left, 8,
                          t.width, 17);
    }
    Label2 = label(Panel1, "Label2", QStringLiteral("ТИРАЖ: "), 8, 9, true);
    Label5 = label(Panel1, "Label5", QStringLiteral("/ 6 угадано: "), 96, 8);
    Label6 = label(Panel1, "Label6", QStringLiteral("- Выйгрыш:"), 172, 8);
    Label7 = label(Panel1, "Label7", QStringLiteral("/ 5 угадано:"), 314, 8);
    Label8 = label(Panel1, "Label8", QStringLiteral("- Выйгрыш:"), 391, 8);
    Label9 = label(Panel1, "Label9", QStringLiteral("/ 4 угадано:"), 513, 8);
    Label10 = label(Panel1, "Label10", QStringLiteral("- Выйгрыш:"), 588, 8);
    Label11 = label(Panel1, "Label11", QStringLiteral("/ 3 угадано:"), 700, 8);
    Label12 = label(Panel1, "Label12", QStringLiteral("- Выйгрыш:"), 785, 8);
    Label13 = label(Panel1, "Label13", QStringLiteral("/ Джек-пот: "), 879, 8);
    Label14 = label(Panel1, "Label14", QStringLiteral("/ Дата: "), 1017, 8);
    // A text's box ends where the next label begins: the layout's sizes reach
    // up to 9 pixels into it, and a text never draws over a label.
    for (DbText* text : DBText)
        for (const QLabel* next :
             {Label5, Label6, Label7, Label8, Label9, Label10, Label11, Label12, Label13, Label14})
            if (next->x() > text->x() && next->x() <= text->geometry().right())
                text->resize(next->x() - text->x(), text->height());
    // Wider texts move the labels after them, so that every value reads whole.
    auto* line = new TextLine(Panel1->width() - Panel1->frameWidth() - 2, this);
    QLabel* const order[] = {Label2,  DBText[0], Label5,  DBText[1], Label6,  DBText[2],
                             Label7,  DBText[3], Label8,  DBText[4], Label9,  DBText[5],
                             Label10, DBText[6], Label11, DBText[7], Label12, DBText[8],
                             Label13, DBText[9], Label14, DBText[10]};
    for (QLabel* item : order)
        line->add(item, qobject_cast<DbText*>(item) != nullptr);
    for (DbText* text : DBText)
        connect(text, &DbText::shown, line, &TextLine::layOut);
    Label3 = label(ClientArea, "Label3", QStringLiteral("СТАВКИ"), 1144, 240, true);
}

void TForm1::createGrids() {
    const auto q = [](const char* s) { return QString::fromUtf8(s); };
    DBGrid1 = place(new DbGrid({{q("tir"), q("tir"), 42},
                                {q("s1"), q("s1"), 28},
                                {q("s2"), q("s2"), 27},
                                {q("s3"), q("s3"), 29},
                                {q("s4"), q("s4"), 27},
                                {q("s5"), q("s5"), 26},
                                {q("s6"), q("s6"), 26},
                                {q("'Шар'"), q("'Шар'"), 53},
                                {q("'Выпал, раз'"), q("'Выпал, раз'"), 81}},
                               m_boxes, ClientArea),
                    "DBGrid1", 8, 264, 409, 289);
    DBGrid2 = place(new DbGrid({{q("tir"), q("tir"), 64},
                                {q("s1"), q("s1"), 34},
                                {q("s2"), q("s2"), 35},
                                {q("s3"), q("s3"), 40},
                                {q("s4"), q("s4"), 38},
                                {q("s5"), q("s5"), 43},
                                {q("s6"), q("s6"), 38}},
                               m_boxes, ClientArea),
                    "DBGrid2", 808, 262, 393, 187);
}

void TForm1::createCommandColumn() {
    Button10 = button(ClientArea, "Button10", QStringLiteral("Сортировка по выпадению"), 432, 264,
                      121, 41, true);
    Button11 = button(ClientArea, "Button11", QStringLiteral("Сортировка по тиражу в пор. возр."),
                      432, 304, 121, 41, true);
    Button11->setToolTip(QStringLiteral("Сортировка по тиражу с шарами в порядке возрастания"));
    Button19 = button(ClientArea, "Button19", QStringLiteral("Сортировка по тиражу в пор. выпад."),
                      432, 344, 121, 41, true);
    Button19->setToolTip(QStringLiteral("Сортировка по тиражу с шарами в порядке выпадения"));
    Button12 =
        button(ClientArea, "Button12", QStringLiteral("Статистика (шар)"), 432, 392, 113, 25);
    Button9 =
        button(ClientArea, "Button9", QStringLiteral("Статистика (выпал)"), 432, 424, 113, 25);
    Button17 = button(ClientArea, "Button17", QStringLiteral("6 угадано "), 432, 456, 57, 25);
    Label15 = label(ClientArea, "Label15", QStringLiteral("в тир."), 496, 464);
    Button18 = button(ClientArea, "Button18", QStringLiteral("5 угадано"), 432, 488, 57, 25);
    Label16 = label(ClientArea, "Label16", QStringLiteral("в тир."), 496, 496);
    Label17 =
        place(new LinkLabel(QStringLiteral("Сайт разработчика"), ClientArea), "Label17", 432, 518);
    Label17->setFont(bold(Label17));
    Label17->setCursor(Qt::PointingHandCursor);
    Label17->setFontColor(Qt::black);
    Label17->adjustSize();
    PB1 = place(new QProgressBar(ClientArea), "PB1", 432, 536, 241, 17);
    PB1->setRange(0, 100);
    PB1->setTextVisible(false);
    PB1->hide();
    Label4 = label(ClientArea, "Label4", QStringLiteral("     "), 568, 536);
}

void TForm1::createBallPanel() {
    Panel50 = place(new QFrame(ClientArea), "Panel50", 560, 264, 233, 233);
    bevel(Panel50);
    for (int n = 1; n <= 49; ++n) {
        const QByteArray name = "P" + QByteArray::number(n);
        P[n] = place(new BallPanel(QString::number(n), clBtnFace, Panel50), name.constData(),
                     8 + 32 * ((n - 1) % 7), 8 + 32 * ((n - 1) / 7), 25, 25);
    }
}

void TForm1::createActionButtons() {
    Button16 = button(ClientArea, "Button16", QStringLiteral("Обновить онлайн"), 560, 504, 113, 25);
    Button16->setFont(bold(Button16));
    Button15 = button(ClientArea, "Button15", QStringLiteral("Ввод кнопками"), 680, 504, 89, 25);
    Button13 =
        button(ClientArea, "Button13", QStringLiteral("Очистить поля "), 680, 530, 89, 25, true);
    Button8 =
        button(ClientArea, "Button8", QStringLiteral("Проверить ставку"), 772, 500, 73, 55, true);
    Button1 = button(ClientArea, "Button1", QStringLiteral("Добавить в тираж"), 848, 501, 121, 26);
    Button3 =
        button(ClientArea, "Button3", QStringLiteral("Редактировать тираж"), 848, 530, 121, 25);
    Button4 = button(ClientArea, "Button4", QStringLiteral("Добавить в ставки"), 976, 500, 121, 26);
    Button6 =
        button(ClientArea, "Button6", QStringLiteral("Редактировать ставку"), 976, 529, 121, 25);
    Button7 = button(ClientArea, "Button7", QStringLiteral("Поиск 6"), 1032, 500, 60, 25);
    Button7->hide();
    Button2 =
        button(ClientArea, "Button2", QStringLiteral("Удалить тираж"), 1104, 499, 97, 25, true);
    Button5 =
        button(ClientArea, "Button5", QStringLiteral("Удалить ставку"), 1104, 527, 97, 25, true);
}

void TForm1::createInputRow() {
    Label1 = label(ClientArea, "Label1",
                   QStringLiteral("Тираж") + QString(17, QLatin1Char(' ')) +
                       QStringLiteral("Номера шаров"),
                   809, 454);
    Edit1 = place(new QLineEdit(QStringLiteral("0"), ClientArea), "Edit1", 809, 470, 49, 21);
    for (int i = 1; i <= 6; ++i) {
        const QByteArray name = "ES" + QByteArray::number(i);
        ES[i] = place(new QLineEdit(QStringLiteral("0"), ClientArea), name.constData(),
                      881 + 56 * (i - 1), 470, 41, 21);
    }
}

void TForm1::setTabOrder() {
    // The controls that take the keyboard focus, in tab order.
    QWidget* const chain[] = {DBGrid1,  Button1,  Button2,  Button7,  Button9,  Button10, Button11,
                              Button12, Edit1,    ES[1],    ES[2],    ES[3],    ES[4],    ES[5],
                              ES[6],    DBGrid2,  Button4,  Button5,  Button3,  Button6,  Button8,
                              Button13, Button15, Button16, Button17, Button18, Button19};
    for (size_t i = 0; i + 1 < std::size(chain); ++i)
        QWidget::setTabOrder(chain[i], chain[i + 1]);
}

void TForm1::createAnalysisButton() {
    // In the free right part of the status bar, so that no control of the
    // layout moves; out of the tab chain (F9 is its key).
    AnalysisButton = new QToolButton(StatusBar1);
    AnalysisButton->setObjectName(QStringLiteral("AnalysisButton"));
    AnalysisButton->setText(QStringLiteral("Анализ (F9)"));
    AnalysisButton->setToolTip(QStringLiteral("Мои ставки и выигрыши, задержки шаров, пары"));
    AnalysisButton->setFocusPolicy(Qt::NoFocus);
    AnalysisButton->setFixedHeight(17);
    StatusBar1->addRightWidget(AnalysisButton);
}

void TForm1::createWheelsButton() {
    // Beside "Анализ (F9)", in the same way.
    WheelsButton = new QToolButton(StatusBar1);
    WheelsButton->setObjectName(QStringLiteral("WheelsButton"));
    WheelsButton->setText(QStringLiteral("Системы (F10)"));
    WheelsButton->setToolTip(QStringLiteral("Сокращённые системы с проверенной гарантией"));
    WheelsButton->setFocusPolicy(Qt::NoFocus);
    WheelsButton->setFixedHeight(17);
    StatusBar1->addRightWidget(WheelsButton);
}
