#include "TKatalog.h"

#include "Cp1252.h"
#include "FileDialogService.h"
#include "Fonts.h"
#include "MessageService.h"
#include "TAusgabe.h"
#include "WabolexError.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDialog>
#include <QMenuBar>
#include <QPainter>
#include <exception>

namespace {

// Outer size of the window at design time; the frame around the client area
// is counted as on the desktop the program was drawn for.
constexpr int kDesignWidth = 590;
constexpr int kDesignHeight = 603;
constexpr int kFrameWidth = 8;   // left and right border together
constexpr int kFrameHeight = 50; // title bar, menu bar and bottom border together

QString FromCp1252(const std::string& text) {
    return QString::fromUtf8(Cp1252::ToUtf8(text));
}

} // namespace

TKatalog::TKatalog(MessageService& messages, FileDialogService& fileDialogs, uint64_t seed,
                   QWidget* parent)
    : QMainWindow(parent), messages_(messages), fileDialogs_(fileDialogs), random_(seed) {
    Fonts::InstallSubstitutes();
    setObjectName(QStringLiteral("Katalog"));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    setFont(font);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("Client"));
    client->setAutoFillBackground(true);
    QPalette green = client->palette();
    green.setColor(QPalette::Window, QColor(0x00, 0x80, 0x00));
    client->setPalette(green);
    setCentralWidget(client);

    ausgabe_ = new TAusgabe(client);
    ausgabe_->setObjectName(QStringLiteral("Ausgabe"));
    ausgabe_->setGeometry(10, 10, 560, 530);
    ausgabe_->OnDrawCell = [this](QPainter& p, int32_t c, int32_t r, const QRect& rect, bool sel,
                                  bool foc) { AusgabeDrawCell(p, c, r, rect, sel, foc); };
    ausgabe_->OnKeyPress = [this](char& key) { RunCommand([&] { AusgabeKeyPress(key); }); };
    ausgabe_->OnDblClick = [this] { RunCommand([this] { AusgabeDblClick(); }); };
    ausgabe_->OnMouseDown = [this](Qt::MouseButton b, int x, int y) {
        RunCommand([&] { AusgabeMouseDown(b, x, y); });
    };

    CreateMenu();
    FormCreate();
    move(376, 130);
    resize(kDesignWidth - kFrameWidth,
           kDesignHeight - kFrameHeight + menuBar()->sizeHint().height());
    ausgabe_->setFocus();
    CreateSecondaryWindows();
}

TKatalog::~TKatalog() = default;

// --- Start-up -----------------------------------------------------------------

void TKatalog::FormCreate() {
    TitleText = QStringLiteral("Wabolex ") + QString::number(QDate::currentDate().year());
    setWindowTitle(TitleText);
    puzzle_.SourceName = "NoName";
    // The random source was seeded when the window was made.
    puzzle_.ShowGenerated = false;
    puzzle_.ShowSolution = false;
    puzzle_.Solving = false;
    puzzle_.SolutionWordShown = false;
    puzzle_.WordCount = 0;
    puzzle_.ResizeGrid(15, 15);
    ausgabe_->SetColCount(puzzle_.Columns);
    ausgabe_->SetRowCount(puzzle_.Rows);
}

void TKatalog::CreateSecondaryWindows() {
    // Hidden, in this order; each lives until the main window goes.
}

QAction* TKatalog::AddCommand(QMenu* menu, const QString& caption, void (TKatalog::*handler)()) {
    QAction* action = menu->addAction(caption);
    connect(action, &QAction::triggered, this,
            [this, handler] { RunCommand([this, handler] { (this->*handler)(); }); });
    return action;
}

void TKatalog::CreateMenu() {
    QMenuBar* bar = menuBar();

    MenuDatei = bar->addMenu(QStringLiteral("&Datei"));
    DBLaden = AddCommand(MenuDatei, QStringLiteral("Ö&ffnen"), &TKatalog::DBLadenClick);
    RExportieren =
        AddCommand(MenuDatei, QStringLiteral("&Rätsel exportieren"), &TKatalog::RExportierenClick);
    LExportieren =
        AddCommand(MenuDatei, QStringLiteral("Lösung exportieren"), &TKatalog::LExportierenClick);
    MenuDatei->addSeparator();
    Beenden = AddCommand(MenuDatei, QStringLiteral("&Beenden"), &TKatalog::BeendenClick);

    // A menu-bar entry without items that is itself the command.
    Einstellungen = bar->addAction(QStringLiteral("&Einstellungen"));
    connect(Einstellungen, &QAction::triggered, this,
            [this] { RunCommand([this] { EinstellungenClick(); }); });

    MenuRaetsel = bar->addMenu(QStringLiteral("&Rätsel"));
    RGenerieren =
        AddCommand(MenuRaetsel, QStringLiteral("&Generieren"), &TKatalog::RGenerierenClick);
    RAnzeigen = AddCommand(MenuRaetsel, QStringLiteral("&Lösen"), &TKatalog::RAnzeigenClick);
    RStatistik = AddCommand(MenuRaetsel, QStringLiteral("S&tatistik"), &TKatalog::RStatistikClick);
    MenuRaetsel->addSeparator();
    RDrucken = AddCommand(MenuRaetsel, QStringLiteral("&Drucken"), &TKatalog::RDruckenClick);
    RLaden = AddCommand(MenuRaetsel, QStringLiteral("&Laden"), &TKatalog::RLadenClick);
    RSpeichern = AddCommand(MenuRaetsel, QStringLiteral("&Speichern"), &TKatalog::RSpeichernClick);

    MenuLoesungswort = bar->addMenu(QStringLiteral("Lösungs&wort"));
    LWDelete = AddCommand(MenuLoesungswort, QStringLiteral("&löschen"), &TKatalog::LWDeleteClick);
    neuePosition =
        AddCommand(MenuLoesungswort, QStringLiteral("neue Position"), &TKatalog::neuePositionClick);

    MenuLoesung = bar->addMenu(QStringLiteral("&Lösung"));
    LAnzeigen = AddCommand(MenuLoesung, QStringLiteral("&Anzeigen"), &TKatalog::LAnzeigenClick);
    LDrucken = AddCommand(MenuLoesung, QStringLiteral("&Drucken"), &TKatalog::LDruckenClick);

    MenuHilfe = bar->addMenu(QStringLiteral("&Hilfe"));
    Hinweise = AddCommand(MenuHilfe, QStringLiteral("&Hinweise"), &TKatalog::HinweiseClick);
    MenuHilfe->addSeparator();
    Info = AddCommand(MenuHilfe, QStringLiteral("&Info"), &TKatalog::InfoClick);
}

// --- Error boundary -----------------------------------------------------------

void TKatalog::RunCommand(const std::function<void()>& command) {
    try {
        command();
        return;
    } catch (const WabolexError& e) {
        messages_.Error(FromCp1252(e.what()));
    } catch (const std::exception& e) {
        messages_.Error(QString::fromLocal8Bit(e.what()));
    }
}

void TKatalog::ShowModal(QWidget* window) {
    if (modalHook_) {
        modalHook_(window);
        return;
    }
    window->setWindowModality(Qt::ApplicationModal);
    if (auto* dialog = qobject_cast<QDialog*>(window)) {
        dialog->exec();
        return;
    }
    window->show();
}

// --- Window events ------------------------------------------------------------

void TKatalog::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TKatalog::FormResize() {
    // The grid follows the window; its corner stays at (10, 10).
    const int outerWidth = width() + kFrameWidth;
    const int outerHeight = height() - menuBar()->height() + kFrameHeight;
    ausgabe_->setGeometry(10, 10, std::max(0, outerWidth - 30), std::max(0, outerHeight - 80));
    ausgabe_->RepaintNow();
}

void TKatalog::closeEvent(QCloseEvent* event) {
    bool canClose = true;
    RunCommand([&] { FormCloseQuery(canClose); });
    if (canClose)
        event->accept();
    else
        event->ignore();
}

void TKatalog::FormCloseQuery(bool& canClose) {
    if (messages_.Confirm(QStringLiteral("Rätselgenerator beenden?"))) {
        messages_.Information(QStringLiteral("Der Generator hält an!!"));
        canClose = true;
    } else {
        canClose = false;
    }
}

void TKatalog::BeendenClick() {
    close();
}

void TKatalog::UpdateCaption() {
    const QString source = FromCp1252(puzzle_.SourceName);
    const qsizetype dot = source.indexOf('.');
    setWindowTitle(TitleText + QStringLiteral("   ") + (dot < 0 ? QString() : source.left(dot)));
}

void TKatalog::SetSolutionWordMenuEnabled(bool enabled) {
    MenuLoesungswort->setEnabled(enabled);
}

std::string TKatalog::SolutionWordText() const {
    return {};
}

// --- Commands -------------------------------------------------------------------

void TKatalog::DBLadenClick() {}
void TKatalog::EinstellungenClick() {}
void TKatalog::RGenerierenClick() {}
void TKatalog::RStatistikClick() {
    ShowStatistics();
}
void TKatalog::ShowStatistics() {}
void TKatalog::ShowStatistics(const PuzzleStatistics&) {}
void TKatalog::LWDeleteClick() {}
void TKatalog::neuePositionClick() {}
void TKatalog::HinweiseClick() {}
void TKatalog::InfoClick() {}

// --- Cell drawing ---------------------------------------------------------------

void TKatalog::AusgabeDrawCell(QPainter& canvas, int32_t aCol, int32_t aRow, const QRect& rect,
                               bool selected, bool focused) {
    (void)canvas, (void)aCol, (void)aRow, (void)rect, (void)selected, (void)focused;
}

void TKatalog::DrawSolutionMark(QPainter& canvas, int32_t column, int32_t row, int32_t number) {
    (void)canvas, (void)column, (void)row, (void)number;
}
