// The real message boxes: captions, button texts and which answer a button or
// the Escape key gives. A timer answers each box as soon as it is open.
#include "ui/QtMessageService.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct SeenBox {
    QString Caption;
    QString Text;
    QStringList Buttons;
};

// Waits for the next modal message box, records it and lets act answer it.
std::shared_ptr<SeenBox> AnswerNextBox(const std::function<void(QMessageBox*)>& act) {
    auto seen = std::make_shared<SeenBox>();
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, seen, act] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        seen->Caption = box->windowTitle();
        seen->Text = box->text();
        for (QAbstractButton* b : box->buttons())
            seen->Buttons << b->text();
        seen->Buttons.sort();
        act(box);
    });
    timer->start();
    return seen;
}

void Click(QMessageBox* box, const QString& text) {
    for (QAbstractButton* b : box->buttons())
        if (b->text() == text) {
            b->click();
            return;
        }
    ADD_FAILURE() << "no button " << text.toStdString();
    box->reject();
}

void Escape(QMessageBox* box) {
    QTest::keyClick(box, Qt::Key_Escape);
}

TEST(QtMessageServiceTest, BoxesCarryTheirCaptionsAndButtons) {
    QtMessageService service;
    const auto error = AnswerNextBox([](QMessageBox* b) { Click(b, "OK"); });
    service.Error("Fehlertext");
    EXPECT_EQ(error->Caption, "Fehler");
    EXPECT_EQ(error->Text, "Fehlertext");
    EXPECT_EQ(error->Buttons, QStringList{"OK"});

    const auto info = AnswerNextBox([](QMessageBox* b) { Click(b, "OK"); });
    service.Information("Hinweis");
    EXPECT_EQ(info->Caption, "Information");
    EXPECT_EQ(info->Buttons, QStringList{"OK"});

    const auto retry = AnswerNextBox([](QMessageBox* b) { Escape(b); });
    service.RetryError("Nochmal");
    EXPECT_EQ(retry->Caption, "Fehler");
    EXPECT_EQ(retry->Buttons.size(), 1);
}

TEST(QtMessageServiceTest, YesNoBoxesAnswerByButtonAndEscapeSaysNo) {
    QtMessageService service;
    const auto confirm = AnswerNextBox([](QMessageBox* b) { Click(b, "&Ja"); });
    EXPECT_TRUE(service.Confirm("Weiter?"));
    EXPECT_EQ(confirm->Caption, "Bestätigung");
    EXPECT_EQ(confirm->Buttons, (QStringList{"&Ja", "&Nein"}));
    AnswerNextBox([](QMessageBox* b) { Escape(b); });
    EXPECT_FALSE(service.Confirm("Weiter?"));

    const auto start = AnswerNextBox([](QMessageBox* b) { Click(b, "&Nein"); });
    EXPECT_FALSE(service.StartWord("waagerecht - HAUS : Gebäude"));
    EXPECT_EQ(start->Caption, "Startbegriff");
    AnswerNextBox([](QMessageBox* b) { Click(b, "&Ja"); });
    EXPECT_TRUE(service.Warning("Soll das aktuelle Rätsel gelöscht werden?"));
}

TEST(QtMessageServiceTest, SatisfiedBoxHasThreeAnswersAndEscapeCancels) {
    QtMessageService service;
    const auto seen = AnswerNextBox([](QMessageBox* b) { Click(b, "&Ja"); });
    EXPECT_EQ(service.Satisfied("senkrecht - HAUS"), MessageService::Answer::Yes);
    EXPECT_EQ(seen->Caption, "Zufrieden");
    EXPECT_EQ(seen->Buttons.size(), 3);
    AnswerNextBox([](QMessageBox* b) { Click(b, "&Nein"); });
    EXPECT_EQ(service.Satisfied("senkrecht - HAUS"), MessageService::Answer::No);
    AnswerNextBox([](QMessageBox* b) { Escape(b); });
    EXPECT_EQ(service.Satisfied("senkrecht - HAUS"), MessageService::Answer::Cancel);
}

} // namespace
