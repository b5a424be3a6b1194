#pragma once

// Message boxes and file dialogs that answer from a script and record what was
// asked, so that widget tests never wait on a modal box.

#include "ui/FileDialogService.h"
#include "ui/MessageService.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>

class ScriptedMessages : public MessageService {
public:
    struct Shown {
        QString Kind; // "Error", "Information", "Confirm", "Warning", "RetryError", "StartWord",
                      // "Satisfied"
        QString Text;
    };

    // Answers for the questions in the order they come; an empty queue answers
    // the default below (No for Yes/No boxes, Yes for "Zufrieden").
    std::deque<bool> ConfirmAnswers;
    std::deque<bool> WarningAnswers;
    std::deque<bool> StartWordAnswers;
    std::deque<Answer> SatisfiedAnswers;
    bool DefaultYesNo = false;
    Answer DefaultSatisfied = Answer::Yes;

    // Everything shown, in order.
    std::deque<Shown> Log;
    // Runs while the "Zufrieden" box would be open (after it is logged).
    std::function<void()> OnSatisfied;
    // Runs while a box with a single Retry button would be open (after it is logged).
    std::function<void()> OnRetryError;

    void Error(const QString& text) override { Log.push_back({"Error", text}); }
    void Information(const QString& text) override { Log.push_back({"Information", text}); }
    void RetryError(const QString& text) override {
        Log.push_back({"RetryError", text});
        if (OnRetryError)
            OnRetryError();
    }
    bool Confirm(const QString& text) override {
        Log.push_back({"Confirm", text});
        return Next(ConfirmAnswers);
    }
    bool Warning(const QString& text) override {
        Log.push_back({"Warning", text});
        return Next(WarningAnswers);
    }
    bool StartWord(const QString& text) override {
        Log.push_back({"StartWord", text});
        return Next(StartWordAnswers);
    }
    Answer Satisfied(const QString& text) override {
        Log.push_back({"Satisfied", text});
        if (OnSatisfied)
            OnSatisfied();
        if (SatisfiedAnswers.empty())
            return DefaultSatisfied;
        const Answer a = SatisfiedAnswers.front();
        SatisfiedAnswers.pop_front();
        return a;
    }

    // The texts shown in boxes of one kind.
    QStringList Texts(const QString& kind) const {
        QStringList texts;
        for (const Shown& s : Log)
            if (s.Kind == kind)
                texts << s.Text;
        return texts;
    }
    int Count(const QString& kind) const { return static_cast<int>(Texts(kind).size()); }

private:
    bool Next(std::deque<bool>& answers) {
        if (answers.empty())
            return DefaultYesNo;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
};

class ScriptedFileDialogs : public FileDialogService {
public:
    struct Request {
        QString Title;
        QString Filter;
        QString InitialFolder;
        QString DefaultSuffix;
        QString ProposedName; // save dialogs only
    };

    // The paths handed back in order; nullopt = the user cancelled. An empty
    // queue cancels.
    std::deque<std::optional<QString>> OpenAnswers;
    std::deque<std::optional<QString>> SaveAnswers;
    std::deque<Request> OpenRequests;
    std::deque<Request> SaveRequests;

    std::optional<QString> OpenFileName(const QString& title, const QString& filter,
                                        const QString& initialFolder,
                                        const QString& defaultSuffix) override {
        OpenRequests.push_back({title, filter, initialFolder, defaultSuffix, {}});
        return Next(OpenAnswers);
    }
    std::optional<QString> SaveFileName(const QString& title, const QString& filter,
                                        const QString& initialFolder, const QString& defaultSuffix,
                                        const QString& proposedName) override {
        SaveRequests.push_back({title, filter, initialFolder, defaultSuffix, proposedName});
        return Next(SaveAnswers);
    }

private:
    static std::optional<QString> Next(std::deque<std::optional<QString>>& answers) {
        if (answers.empty())
            return std::nullopt;
        const bool chosen = answers.front().has_value();
        const QString path = chosen ? *answers.front() : QString();
        answers.pop_front();
        if (!chosen)
            return std::nullopt;
        return path;
    }
};
