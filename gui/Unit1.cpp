#include "gui/Unit1.h"

#include "dataset/Connection.h"
#include "dataset/DataSource.h"
#include "dataset/Query.h"
#include "dataset/SqlTexts.h"
#include "gui/analysis/AnalysisWindow.h"
#include "gui/wheels/WheelsWindow.h"
#include "runtime/AppError.h"
#include "runtime/ApplicationTitle.h"
#include "runtime/ErrorSink.h"
#include "views/ViewQueries.h"
#include "widgets/BallPanel.h"
#include "widgets/BarChart.h"
#include "widgets/DbGrid.h"
#include "widgets/LinkLabel.h"
#include "widgets/ScreenFit.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QTimer>
#include <QToolButton>

const QColor TForm1::clRed = QColor(255, 0, 0);
const char* const TForm1::kDeveloperSite = "https://numeron.example/";

TForm1::TForm1(const QString& appDir, MessageBoxes* boxes, QWidget* parent)
    : QWidget(parent), m_appDir(appDir) {
    if (!boxes) {
        m_ownBoxes = std::make_unique<QtMessageBoxes>();
        boxes = m_ownBoxes.get();
    }
    m_boxes = boxes;
    setWindowIcon(QIcon(QStringLiteral(":/icons/numeron.svg")));
    setFont(layoutFont());
    openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    ErrorSink::setReporter([this](const std::exception& e) { showStandardError(e); });
    createDataAccess();
    createControls();
    bindEvents();
    setAcceptDrops(true);
}

TForm1::~TForm1() {
    ErrorSink::setReporter(nullptr);
    AnalysisForm.reset(); // it reads through the connection
    WheelsForm.reset();   // so does this one (and it stops its search)
    // Views let go of the queries before the connection closes.
    DBGrid1->setDataSource(nullptr);
    DBGrid2->setDataSource(nullptr);
    for (Query* q : {ADOQuery1, ADOQuery2, ADOQuery3, ADOQuery4, ADOQuery5})
        q->close();
}

void TForm1::createDataAccess() {
    ADOConnection1 = std::make_unique<Connection>(QStringLiteral("ADOConnection1"));
    Connection* c = ADOConnection1.get();
    ADOQuery1 = new Query(c, QStringLiteral("ADOQuery1"), this);
    ADOQuery1->setSql(SqlTexts::drawList());
    ADOQuery2 = new Query(c, QStringLiteral("ADOQuery2"), this);
    ADOQuery3 = new Query(c, QStringLiteral("ADOQuery3"), this);
    ADOQuery3->setSql(QStringLiteral("select * from Rate where (Tir=:Tir)"));
    ADOQuery3->setParam(QStringLiteral("Tir"), 1);
    ADOQuery4 = new Query(c, QStringLiteral("ADOQuery4"), this);
    ADOQuery4->setSql(ViewQueries::chartFrequency());
    ADOQuery5 = new Query(c, QStringLiteral("ADOQuery5"), this);
    ADOQuery5->setSql(SqlTexts::drawList());
    DataSource1 = new DataSource(QStringLiteral("DataSource1"), ADOQuery1, this);
    DataSource2 = new DataSource(QStringLiteral("DataSource2"), ADOQuery3, this);
    ADOQuery3->setDataSource(DataSource1);
}

void TForm1::bindEvents() {
    DBChart1->bind(ADOQuery4, QStringLiteral("'Шар'"), QStringLiteral("'Выпал, раз'"));
    DBGrid1->setDataSource(DataSource1);
    DBGrid2->setDataSource(DataSource2);
    SourceOpen();

    const auto click = [this](QPushButton* b, void (TForm1::*handler)(QObject*)) {
        connect(b, &QPushButton::clicked, this,
                [this, b, handler] { dispatch([&] { (this->*handler)(b); }); });
    };
    click(Button1, &TForm1::Button1Click);
    click(Button2, &TForm1::Button2Click);
    click(Button3, &TForm1::Button3Click);
    click(Button4, &TForm1::Button4Click);
    click(Button5, &TForm1::Button5Click);
    click(Button6, &TForm1::Button6Click);
    click(Button7, &TForm1::Button7Click);
    click(Button8, &TForm1::Button8Click);
    click(Button9, &TForm1::Button9Click);
    click(Button10, &TForm1::Button10Click);
    click(Button11, &TForm1::Button11Click);
    click(Button12, &TForm1::Button12Click);
    click(Button13, &TForm1::Button13Click);
    click(Button15, &TForm1::Button15Click);
    click(Button16, &TForm1::Button16Click);
    click(Button17, &TForm1::Button17Click);
    click(Button18, &TForm1::Button18Click);
    click(Button19, &TForm1::Button19Click);
    const auto openAnalysis = [this] { dispatch([&] { AnalysisButtonClick(AnalysisButton); }); };
    connect(AnalysisButton, &QToolButton::clicked, this, openAnalysis);
    auto* analysisKey = new QShortcut(QKeySequence(Qt::Key_F9), this);
    analysisKey->setContext(Qt::ApplicationShortcut);
    connect(analysisKey, &QShortcut::activated, this, openAnalysis);
    const auto openWheels = [this] { dispatch([&] { WheelsButtonClick(WheelsButton); }); };
    connect(WheelsButton, &QToolButton::clicked, this, openWheels);
    auto* wheelsKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    wheelsKey->setContext(Qt::ApplicationShortcut);
    connect(wheelsKey, &QShortcut::activated, this, openWheels);
    for (int n = 1; n <= 49; ++n)
        connect(P[n], &BallPanel::clicked, this, [this, n] { dispatch([&] { PClick(n); }); });
    connect(DBGrid1, &DbGrid::gridDoubleClicked, this,
            [this] { dispatch([&] { DBGrid1DblClick(DBGrid1); }); });
    connect(DBGrid2, &DbGrid::gridDoubleClicked, this,
            [this] { dispatch([&] { DBGrid2DblClick(DBGrid2); }); });
    connect(DataSource1, &DataSource::dataChange, this, [this](const QString& field) {
        dispatch([&] { DataSource1DataChange(DataSource1, field); });
    });
    connect(Label17, &LinkLabel::mouseDown, this,
            [this](Qt::MouseButton b) { dispatch([&] { Label17MouseDown(Label17, b); }); });
    connect(Label17, &LinkLabel::clicked, this,
            [this] { dispatch([&] { Label17Click(Label17); }); });
    connect(Label17, &LinkLabel::mouseUp, this,
            [this](Qt::MouseButton b) { dispatch([&] { Label17MouseUp(Label17, b); }); });
    Edit1->installEventFilter(this);
    for (int i = 1; i <= 6; ++i)
        ES[i]->installEventFilter(this);
}

void TForm1::showStandardError(const std::exception& error) {
    const auto* app = dynamic_cast<const AppError*>(&error);
    const QString message = app ? app->message() : QString::fromUtf8(error.what());
    showBox(standardErrorText(message), applicationTitle(), BoxIcon::Error, BoxButtons::Ok);
}

BoxResult TForm1::showBox(const QString& text, const QString& caption, BoxIcon icon,
                          BoxButtons buttons, bool owned) {
    BoxRequest request;
    request.owner = owned ? this : nullptr;
    request.text = text;
    request.caption = caption;
    request.icon = icon;
    request.buttons = buttons;
    ++m_boxDepth;
    const auto shown = qScopeGuard([this] { --m_boxDepth; });
    return m_boxes->show(request);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel && isDrawGridPart(watched)) {
        dispatch([&] { DBGrid1WindowProc(event); });
        return true; // the grid's own wheel scrolling never runs
    }
    if (event->type() == QEvent::KeyPress) {
        if (auto* edit = qobject_cast<QLineEdit*>(watched))
            return filterKey(edit, static_cast<QKeyEvent*>(event));
    }
    return QWidget::eventFilter(watched, event);
}

bool TForm1::isDrawGridPart(const QObject* object) const {
    const auto* widget = qobject_cast<const QWidget*>(object);
    return widget && (widget == DBGrid1 || DBGrid1->isAncestorOf(widget));
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_centred)
        return;
    m_centred = true;
    fitToScreen();
    ScreenFit::centre(this);
    // The window manager frames the window after it is shown: once the frame
    // is known, the window is brought back onto the screen if it sticks out.
    QTimer::singleShot(kFrameSettleMilliseconds, this, [this] {
        if (!ScreenFit::onScreen(this) && !isMaximized()) {
            fitToScreen();
            ScreenFit::place(this, frameGeometry().topLeft());
        }
    });
    DBGrid1->setFocus();
}

void TForm1::fitToScreen() {
    // On a screen with room the window keeps the layout's size; on a smaller
    // one it takes what the screen has and the client area scrolls.
    const QSize room =
        ScreenFit::availableArea(this).size().shrunkBy(ScreenFit::frameMargins(this));
    if (room.isEmpty() || (room.width() >= kClientWidth && room.height() >= kClientHeight))
        return;
    const int across = ClientScroll->horizontalScrollBar()->sizeHint().height();
    const QSize fitted(
        qMin(kClientWidth, room.width()),
        qMin(kClientHeight + (room.width() < kClientWidth ? across : 0), room.height()));
    setMinimumSize(fitted.boundedTo(QSize(kClientWidth, kClientHeight)));
    resize(fitted);
}

// Developer-site link: red while pressed, purple once released; a left click
// opens the address in the desktop's browser.
void TForm1::Label17MouseDown(QObject*, Qt::MouseButton) {
    Label17->setFontColor(clRed);
}

void TForm1::Label17Click(QObject*) {
    Label17->setFontColor(clRed);
    openUrl(QUrl(QLatin1String(kDeveloperSite)));
}

void TForm1::Label17MouseUp(QObject*, Qt::MouseButton) {
    Label17->setFontColor(QColor(0x80, 0x00, 0x80));
}
