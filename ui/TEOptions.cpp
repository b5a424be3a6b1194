#include "ui/TEOptions.h"

#include "files/Cp1252Qt.h"
#include "model/Puzzle.h"
#include "ui/Fonts.h"
#include "ui/MessageService.h"
#include "ui/TSpinEdit.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QValidator>

#include <utility>

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

TEOptions::TEOptions(MessageService& messages, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      messages_(messages) {
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

    QLabel* const columnsLabel = MakeLabel(QStringLiteral("Spaltenanzahl"), 16, 16, this);
    columns_ = MakeSpinEdit(MinGridSide, MaxGridSide, StartGridSide, 12,
                            QStringLiteral("Breite festlegen"), this);
    QLabel* const rowsLabel = MakeLabel(QStringLiteral("Zeilenanzahl"), 24, 48, this);
    rows_ = MakeSpinEdit(MinGridSide, MaxGridSide, StartGridSide, 44,
                         QStringLiteral("Höhe festlegen"), this);
    QLabel* const passesLabel = MakeLabel(QStringLiteral("Durchläufe"), 24, 80, this);
    passes_ = MakeSpinEdit(MinimumPasses(MinGridSide, MinGridSide), MaxPasses,
                           GenerationSettings{}.Passes, 76,
                           QStringLiteral("Einsortierung festlegen"), this);
    useShortWords_ = MakeCheckBox(QStringLiteral("Kurzwortdatei benutzen"), QRect(16, 104, 185, 25),
                                  QStringLiteral("sorgt für wenig schware Felder"), this);
    showInsertions_ = MakeCheckBox(QStringLiteral("Einfügewort anzeigen"), QRect(16, 144, 169, 25),
                                   QStringLiteral("Startbegriff festlegen"), this);
    useSolutionWord_ = MakeCheckBox(QStringLiteral("Lösungswort "), QRect(16, 184, 121, 25),
                                    QStringLiteral("Lösungswort festlegen"), this);
    solutionWord_ = new QLineEdit(QStringLiteral("HOCHZEITSTAG"), this);
    solutionWord_->setGeometry(16, 221, 201, 24);
    solutionWord_->setMaxLength(MaxSolutionLength);
    solutionWord_->setValidator(new UpperCaseValidator(solutionWord_));
    solutionWord_->setToolTip(QStringLiteral("Lösungswort eingeben"));
    solutionWord_->setCursor(Qt::PointingHandCursor);
    for (QLabel* label : {columnsLabel, rowsLabel, passesLabel})
        label->setCursor(Qt::PointingHandCursor);
    mixWords_ = MakeCheckBox(QStringLiteral("Wörter mischen"), QRect(16, 258, 185, 25),
                             QStringLiteral("andere Wörter in jedem Rätsel"), this);
    mixWords_->setChecked(false);
    const std::pair<QWidget*, const char*> names[] = {
        {columns_, "SpinEditX"},         {rows_, "SpinEditY"},
        {passes_, "SpinEditE"},          {useShortWords_, "CheckBoxKWD"},
        {showInsertions_, "CheckBoxEW"}, {useSolutionWord_, "CheckBoxLW"},
        {solutionWord_, "EditLW"},       {mixWords_, "CheckBoxWM"},
        {columnsLabel, "LabelX"},        {rowsLabel, "LabelY"},
        {passesLabel, "LabelD"}};
    for (const auto& [widget, name] : names)
        widget->setObjectName(QString::fromLatin1(name));

    setTabOrder(columns_, rows_);
    setTabOrder(rows_, useShortWords_);
    setTabOrder(useShortWords_, showInsertions_);
    setTabOrder(showInsertions_, useSolutionWord_);
    setTabOrder(useSolutionWord_, solutionWord_);
    setTabOrder(solutionWord_, passes_);
    setTabOrder(passes_, mixWords_);

    connect(columns_, &QSpinBox::valueChanged, this, &TEOptions::SpinEditXChange);
    connect(rows_, &QSpinBox::valueChanged, this, &TEOptions::SpinEditYChange);
    connect(passes_, &QSpinBox::valueChanged, this, &TEOptions::SpinEditEChange);
    connect(useSolutionWord_, &QCheckBox::toggled, this, &TEOptions::CheckBoxLWClick);
    connect(solutionWord_, &QLineEdit::returnPressed, this, &TEOptions::EditLWKeyPress);
    // Every change is in force at once, after the control's own handler.
    for (QSpinBox* spin : {static_cast<QSpinBox*>(columns_), static_cast<QSpinBox*>(rows_),
                           static_cast<QSpinBox*>(passes_)})
        connect(spin, &QSpinBox::valueChanged, this, &TEOptions::Changed);
    for (QCheckBox* box : {useShortWords_, showInsertions_, useSolutionWord_, mixWords_})
        connect(box, &QCheckBox::toggled, this, &TEOptions::Changed);
    connect(solutionWord_, &QLineEdit::textChanged, this, &TEOptions::Changed);

    FitHeight();
}

void TEOptions::FitHeight() {
    const bool withWord = useSolutionWord_->isChecked();
    // Without the field, the last row moves up into its place.
    solutionWord_->setVisible(withWord);
    mixWords_->move(16, withWord ? 258 : 221);
    setFixedSize(kClientWidth,
                 (withWord ? kHeightWithWord : kHeightWithoutWord) + kMixRowHeight - kFrameHeight);
}

// --- Handlers -------------------------------------------------------------------

void TEOptions::SpinEditXChange() {
    if (columns_->cleanText().isEmpty())
        columns_->setValue(StartGridSide);
    // The generator needs at least (longer side) div 5 + 1 passes.
    if (columns_->Value() >= rows_->Value()) {
        passes_->SetMinValue(MinimumPasses(columns_->Value(), rows_->Value()));
        passes_->update();
    }
}

void TEOptions::SpinEditYChange() {
    if (rows_->cleanText().isEmpty())
        rows_->setValue(StartGridSide);
    if (rows_->Value() >= columns_->Value()) {
        passes_->SetMinValue(MinimumPasses(columns_->Value(), rows_->Value()));
        passes_->update();
    }
}

void TEOptions::SpinEditEChange() {
    if (passes_->cleanText().isEmpty())
        passes_->setValue(5);
}

void TEOptions::CheckBoxLWClick() {
    FitHeight();
    const bool checked = useSolutionWord_->isChecked();
    // Unchecked, the field falls outside the window and is emptied.
    if (!checked)
        solutionWord_->clear();
    emit SolutionWordChecked(checked);
}

void TEOptions::EditLWKeyPress() {
    close();
}

void TEOptions::FormCloseQuery(bool& canClose) {
    canClose = true;
    if (useSolutionWord_->isChecked() && solutionWord_->text().isEmpty()) {
        messages_.RetryError(QStringLiteral("Das Lösungswort fehlt!!!"));
        canClose = false;
    }
}

void TEOptions::reject() {
    bool canClose = true;
    FormCloseQuery(canClose);
    if (canClose)
        QDialog::reject();
}

// --- The value ---------------------------------------------------------------------

void TEOptions::SetValue(const GenerationSettings& settings) {
    columns_->setValue(settings.Columns);
    rows_->setValue(settings.Rows);
    passes_->setValue(settings.Passes);
    useShortWords_->setChecked(settings.UseShortWords);
    showInsertions_->setChecked(settings.ShowInsertions);
    // Checking runs CheckBoxLWClick (height, menu, field) before the word is set.
    useSolutionWord_->setChecked(settings.UseSolutionWord);
    solutionWord_->setText(Cp1252::ToQString(settings.SolutionWord).left(MaxSolutionLength));
    mixWords_->setChecked(settings.MixWords);
}

GenerationSettings TEOptions::Value() const {
    GenerationSettings settings;
    settings.Columns = columns_->Value();
    settings.Rows = rows_->Value();
    settings.ShowInsertions = showInsertions_->isChecked();
    settings.Passes = passes_->Value();
    settings.UseShortWords = useShortWords_->isChecked();
    settings.UseSolutionWord = useSolutionWord_->isChecked();
    settings.SolutionWord = Cp1252::FromQString(solutionWord_->text());
    settings.MixWords = mixWords_->isChecked();
    return settings;
}
