#pragma once
// Clicks a link of a shown text browser where the race director would: on
// the link's own words.
#include <QTest>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>

namespace qel::test {

// False when the words are not on the page.
inline bool clickLink(QTextBrowser* browser, const QString& words) {
    const QTextCursor found = browser->document()->find(words);
    if (found.isNull()) return false;
    QTextCursor middle(browser->document());
    middle.setPosition((found.selectionStart() + found.selectionEnd()) / 2);
    browser->ensureCursorVisible();
    browser->setTextCursor(middle);
    browser->ensureCursorVisible();
    const QPoint at = browser->cursorRect(middle).center();
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    return true;
}

}  // namespace qel::test
