#include "ui/TEOptions.h"

#include "files/Cp1252Qt.h"
#include "model/Puzzle.h"
#include "ui/Fonts.h"
#include "ui/MessageService.h"
#include "ui/TKatalog.h"
#include "ui/TSpinEdit.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QValidator>

namespace {

// Letters become capitals as they are typed. Characters the puzzle's character
// set cannot hold are refused rather than turned into '?'.
class UpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        const auto hasForm = [](QChar c) {
            return c.unicode() == '?' || Cp1252::FromUnicode(c.unicode()) != '?';
        };
        for (QChar& c : input) {
            // One character each: 'ß' stays 'ß'; 'µ', whose capital is Greek, stays 'µ'.
            const QChar upper = c.toUpper();
            if (hasForm(upper))
                c = upper;
            else if (!hasForm(c))
                return Invalid;
        }
        return Acceptable;
    }
};

QLabel* MakeLabel(const QString& text, int left, int top, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->move(left, top);
    label->adjustSize();
    return label;
}

QCheckBox* MakeCheckBox(const QString& text, const QRect& geometry, const QString& hint,
                        QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setGeometry(geometry);
    box->setChecked(true);
    box->setToolTip(hint);
    box->setCursor(Qt::PointingHandCursor);
    // A white box with a black tick, the caption in the dialog's yellow.
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    box->setPalette(palette);
    return box;
}

TSpinEdit* MakeSpinEdit(int minValue, int maxValue, int value, int top, const QString& hint,
                        QWidget* parent) {
    auto* spin = new TSpinEdit(minValue, maxValue, value, parent);
    spin->setGeometry(128, top, 44, 26);
    spin->setToolTip(hint);
    spin->setCursor(Qt::PointingHandCursor);
    // The style draws the arrows in the window text colour; the dialog's yellow would
    // vanish on the light buttons, and the arrows are the only way to change a value.
    QPalette palette = spin->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    spin->setPalette(palette);
    return spin;
}

} // namespace

TEOptions::TEOptions(TKatalog* katalog)
    : QDialog(katalog, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      katalog_(katalog) {
    setObjectName(QStringLiteral("EOptions"));
    setWindowTitle(QStringLiteral("Einstellungen"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    const QColor blue(0x00, 0x00, 0xFF);
    const QColor yellow(0xFF, 0xFF, 0x00);
    palette.setColor(QPalette::Window, blue);
    palette.setColor(QPalette::WindowText, yellow);
    palette.setColor(QPalette::Base, blue);
    palette.setColor(QPalette::Text, yellow);
    palette.setColor(QPalette::ButtonText, yellow);
    setPalette(palette);
    setFont(Fonts::WithCellHeight(QStringLiteral("MS Sans Serif"), 13, true));

    LabelX = MakeLabel(QStringLiteral("Spaltenanzahl"), 16, 16, this);
    SpinEditX = MakeSpinEdit(MinGridSide, MaxGridSide, StartGridSide, 12,
                             QStringLiteral("Breite festlegen"), this);
    LabelY = MakeLabel(QStringLiteral("Zeilenanzahl"), 24, 48, this);
    SpinEditY = MakeSpinEdit(MinGridSide, MaxGridSide, StartGridSide, 44,
                             QStringLiteral("Höhe festlegen"), this);
    LabelD = MakeLabel(QStringLiteral("Durchläufe"), 24, 80, this);
    SpinEditE = MakeSpinEdit(MinimumPasses(MinGridSide, MinGridSide), MaxPasses,
                             GenerationSettings{}.Passes, 76,
                             QStringLiteral("Einsortierung festlegen"), this);
    CheckBoxKWD = MakeCheckBox(QStringLiteral("Kurzwortdatei benutzen"), QRect(16, 104, 185, 25),
                               QStringLiteral("sorgt für wenig schware Felder"), this);
    CheckBoxEW = MakeCheckBox(QStringLiteral("Einfügewort anzeigen"), QRect(16, 144, 169, 25),
                              QStringLiteral("Startbegriff festlegen"), this);
    CheckBoxLW = MakeCheckBox(QStringLiteral("Lösungswort "), QRect(16, 184, 121, 25),
                              QStringLiteral("Lösungswort festlegen"), this);
    EditLW = new QLineEdit(QStringLiteral("HOCHZEITSTAG"), this);
    EditLW->setGeometry(16, 221, 201, 24);
    EditLW->setMaxLength(MaxSolutionLength);
    EditLW->setValidator(new UpperCaseValidator(EditLW));
    EditLW->setToolTip(QStringLiteral("Lösungswort eingeben"));
    EditLW->setCursor(Qt::PointingHandCursor);
    for (QLabel* label : {LabelX, LabelY, LabelD})
        label->setCursor(Qt::PointingHandCursor);

    setTabOrder(SpinEditX, SpinEditY);
    setTabOrder(SpinEditY, CheckBoxKWD);
    setTabOrder(CheckBoxKWD, CheckBoxEW);
    setTabOrder(CheckBoxEW, CheckBoxLW);
    setTabOrder(CheckBoxLW, EditLW);
    setTabOrder(EditLW, SpinEditE);

    connect(SpinEditX, &QSpinBox::valueChanged, this, [this] { SpinEditXChange(); });
    connect(SpinEditY, &QSpinBox::valueChanged, this, [this] { SpinEditYChange(); });
    connect(SpinEditE, &QSpinBox::valueChanged, this, [this] { SpinEditEChange(); });
    connect(CheckBoxLW, &QCheckBox::toggled, this, [this] { CheckBoxLWClick(); });
    connect(EditLW, &QLineEdit::returnPressed, this, [this] { EditLWKeyPress(); });
    connect(EditLW, &QLineEdit::textChanged, this, &TEOptions::SolutionWordChanged);

    setFixedSize(kClientWidth, kHeightWithWord - kFrameHeight);
}

// --- Handlers -------------------------------------------------------------------

void TEOptions::SpinEditXChange() {
    if (SpinEditX->cleanText().isEmpty())
        SpinEditX->setValue(StartGridSide);
    // The generator needs at least (longer side) div 5 + 1 passes.
    if (SpinEditX->Value() >= SpinEditY->Value()) {
        SpinEditE->SetMinValue(MinimumPasses(SpinEditX->Value(), SpinEditY->Value()));
        SpinEditE->update();
    }
}

void TEOptions::SpinEditYChange() {
    if (SpinEditY->cleanText().isEmpty())
        SpinEditY->setValue(StartGridSide);
    if (SpinEditY->Value() >= SpinEditX->Value()) {
        SpinEditE->SetMinValue(MinimumPasses(SpinEditX->Value(), SpinEditY->Value()));
        SpinEditE->update();
    }
}

void TEOptions::SpinEditEChange() {
    if (SpinEditE->cleanText().isEmpty())
        SpinEditE->setValue(5);
}

void TEOptions::CheckBoxLWClick() {
    if (CheckBoxLW->isChecked()) {
        setFixedSize(kClientWidth, kHeightWithWord - kFrameHeight);
        katalog_->SetSolutionWordMenuEnabled(true);
    } else {
        // The field falls outside the window and is emptied.
        setFixedSize(kClientWidth, kHeightWithoutWord - kFrameHeight);
        EditLW->clear();
        katalog_->SetSolutionWordMenuEnabled(false);
    }
}

void TEOptions::EditLWKeyPress() {
    close();
}

void TEOptions::FormCloseQuery(bool& canClose) {
    canClose = true;
    if (CheckBoxLW->isChecked() && EditLW->text().isEmpty()) {
        katalog_->messages().RetryError(QStringLiteral("Das Lösungswort fehlt!!!"));
        canClose = false;
    }
}

void TEOptions::reject() {
    bool canClose = true;
    FormCloseQuery(canClose);
    if (canClose)
        QDialog::reject();
}

// --- Accessors ------------------------------------------------------------------

int TEOptions::GridWidth() const {
    return SpinEditX->Value();
}
int TEOptions::GridHeight() const {
    return SpinEditY->Value();
}

void TEOptions::SetGridSize(int width, int height) {
    SpinEditX->setValue(width);
    SpinEditY->setValue(height);
}

int TEOptions::Passes() const {
    return SpinEditE->Value();
}
bool TEOptions::UseShortWords() const {
    return CheckBoxKWD->isChecked();
}
bool TEOptions::ShowInsertions() const {
    return CheckBoxEW->isChecked();
}
bool TEOptions::IsSolutionWordChecked() const {
    return CheckBoxLW->isChecked();
}

// A change of state runs CheckBoxLWClick, as a click would; setting the state
// it already has changes nothing.
void TEOptions::SetSolutionWordChecked(bool checked) {
    CheckBoxLW->setChecked(checked);
}

QString TEOptions::SolutionWord() const {
    return EditLW->text();
}

std::string TEOptions::SolutionWordCp1252() const {
    return Cp1252::FromQString(EditLW->text());
}

void TEOptions::SetSolutionWord(const QString& word) {
    EditLW->setText(word.left(MaxSolutionLength));
}

GenerationSettings TEOptions::Settings() const {
    GenerationSettings settings;
    settings.ShowInsertions = ShowInsertions();
    settings.Passes = Passes();
    settings.UseShortWords = UseShortWords();
    settings.UseSolutionWord = IsSolutionWordChecked();
    settings.SolutionWord = SolutionWordCp1252();
    return settings;
}
