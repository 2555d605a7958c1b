// Window tests: a fresh working folder per test, the application's message
// boxes answered and recorded, the window created and shown as at start-up.
#pragma once

#include <gtest/gtest.h>

#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "aplikace.h"
#include "mainu.h"
#include "seznamy.h"
#include "test_support.h"
#include "ui_mainu.h"

class OknoTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the catalogue "Přísady.txt" of the working folder.
    void katalog(std::string_view obsah);
    void soubor(const std::string& jmeno, std::string_view obsah);
    std::string precti(const std::string& jmeno) const;

    // Creates and shows the window, as the program does.
    TMF& spust();
    // Writes the catalogue, starts the window and ends the splash at once.
    TMF& spustPoUvodu(std::string_view obsahKatalogu);
    // The window's start-up timer while it waits to tick; null once it has.
    QTimer* startTimer() const;
    // Makes the waiting start-up timer tick now, as if its second were up.
    void tikniStartTimer();
    // Closes it as the user does.
    void zavri();
    Ui::TMF& f() { return okno->Formular(); }

    std::vector<std::string> radky(const TListBox* seznam) const;

    DocasnaSlozka slozka;
    std::unique_ptr<TMF> okno;
    std::vector<TAplikace::TZprava> zpravy;

private:
    std::filesystem::path puvodni_;
};
