# Each break: (id, file, exact old snippet, replacement, what it does)
TW = "src/ui/TableWindow.cpp"
TK = "src/ui/TableWindowKeys.cpp"
MW = "src/ui/MessageWindow.cpp"
SS = "src/ui/ScoreSheetWindow.cpp"
CA = "src/ui/CardArt.cpp"
AN = "src/table/AccessibleNames.cpp"
TA = "src/ui/TableAccessibility.cpp"
WG = "src/ui/TableWidgets.cpp"
B = [
 # Options menu
 ("speed-fast-pace", TW, '{"MnuFast", "Fast", 100}', '{"MnuFast", "Fast", 150}', "Fast item sets pace 150"),
 ("speed-nopause", TW, '{"MnuNoPauses", "No pauses", 0}', '{"MnuNoPauses", "No pauses", 1}', "No pauses item sets pace 1"),
 ("sound-default", TW, 'QSettings().value(QStringLiteral("options/sound"), true).toBool()', 'QSettings().value(QStringLiteral("options/sound"), false).toBool()', "sound off by default"),
 ("sound-not-saved", TW, '    QSettings().setValue(QStringLiteral("options/sound"), on);\n', '', "sound choice not kept"),
 ("robot-not-saved", TW, '      QSettings().setValue(QStringLiteral("options/robot"),\n                           QString::fromLatin1(RobotPlayName(play)));', '      (void)play;', "robot choice not kept"),
 # Table drawing and sync
 ("menu-items-enabled", TW, "    for (QAction* action : gameActions_) action->setEnabled(shownMenuEnabled_);\n", "", "Game menu items stay enabled during the deal"),
 ("frames-over-cards", TW, "  if (changed.empty() && !framesMoved) return;", "  if (changed.empty() || !framesMoved) return;", "frames not raised over cards brought to front"),
 ("restack-all", TW, "if (anyUnchanged && lowestChanged <= highestUnchanged) {", "if (anyUnchanged && lowestChanged < highestUnchanged - 1) {", "pile not restacked when a card is sent back"),
 ("meld-back-colour", TW, "    back = colorFromNumber(item.backColor);\n", "", "meld label colour ignored"),
 ("name-elide", TW, "      if (tooLong && item.isName) {", "      if (tooLong && item.isName && false) {", "long names not shortened"),
 ("name-tooltip", TW, "const std::string& toolTip = item.nameShortened ? m.Caption : m.ToolTip;", "const std::string& toolTip = m.ToolTip;", "shortened name's tooltip not whole"),
 ("prefix-elide", TW, "        if (width > bare && prefix > 0) {", "        if (width > bare && prefix > 1000) {", "minimum meld runs off the window"),
 ("txtpoints-edit", TW, "    game_->Txtpoints_Change(text.toStdString());\n", "    (void)text;\n", "target box text not passed to the game"),
 ("window-fit", TW, "window.moveTop(std::clamp(window.top(), area.top(), area.y() + area.height() - window.height()));", "window.moveTop(std::clamp(window.top(), area.top(), area.y() + area.height()));", "restored window can hang off the bottom"),
 ("window-not-saved", TW, "  if (shownOnce_) saveWindowPlace();", "", "window place not kept"),
 ("close-asks", TW, "  if (!mayClose && !host_.ended()) {", "  if (false) {", "close box closes without asking"),
 ("click-target", TW, "      case ElementClick::Target:\n        return game_->CmdTarget_Click();", "      case ElementClick::Target:\n        return;", "target O.K. does nothing"),
 ("table-log-dup", TW, "  if (line == loggedTable_) return;\n", "", "table log repeats unchanged lines"),
 ("status-announce", TW, "if (item.placed && item.model == &game_->Table.LblGenInfo) announceStatus(item.widget);", "if (item.model == &game_->Table.LblGenInfo) announceStatus(item.widget);", "status announced on first placing too"),
 # Keys and focus ring
 ("ring-wrap-back", TK, "if (at != list.end()) i = (int(at - list.begin()) + (next ? 1 : n - 1)) % n;", "if (at != list.end()) i = (int(at - list.begin()) + (next ? 1 : n - 2)) % n;", "Shift+Tab steps back two"),
 ("ring-left-stop", TK, "at - (at != list.begin())", "at + (at != list.begin())", "Left steps right"),
 ("ring-right-kind", TK, "if (to != list.end() && to->What == at->What) ring_ = *to;", "if (to != list.end()) ring_ = *to;", "Right leaves the hand"),
 ("ring-key-click", TK, "    case Qt::Key_Space:\n    case Qt::Key_Return:", "    case Qt::Key_Return:", "Space does not click"),
 ("ring-hint-clear", TK, "  game_->PutHintAway();  // any key on the table puts the hint's outline away\n", "", "Tab leaves the hint"),
 ("ring-stays", TK, "ring_ = at != list.end() ? *at : nearestTo(ring_, ringPlace_, list);", "ring_ = at != list.end() ? *at : ring_;", "ring stays on an element no longer usable"),
 ("hint-not-drawn", WG, "  if (!hint_.isEmpty()) DrawOutline(p, hint_, kHintColor);\n", "", "hint outline not drawn"),
 ("f1-help", TK, "help->setShortcut(Qt::Key_F1);", "help->setShortcut(Qt::Key_F3);", "help on F3"),
 ("label-dclick-arms", WG, "void TableLabel::mouseDoubleClickEvent(QMouseEvent* event) {\n  if (!onClick) return QLabel::mouseDoubleClickEvent(event);\n  event->accept();", "void TableLabel::mouseDoubleClickEvent(QMouseEvent* event) {\n  if (!onClick) return QLabel::mouseDoubleClickEvent(event);\n  event->accept();\n  armed_ = true;", "double click on a label clicks twice"),
 ("card-dclick", WG, "void CardWidget::mouseDoubleClickEvent(QMouseEvent* event) {\n  event->accept();", "void CardWidget::mouseDoubleClickEvent(QMouseEvent* event) {\n  event->accept();\n  if (onPress) onPress();", "double click on a card presses twice"),
 # Accessibility
 ("acc-stock-count", AN, 'return count == 0 ? "Stock, empty" : "Stock, " + Counted(count, "card");', 'return count == 0 ? "Stock, empty" : "Stock, " + Counted(count - 1, "card");', "stock count one short"),
 ("acc-frozen", AN, '      name += ", frozen";', '      name += ", blocked";', "frozen pile said blocked"),
 ("acc-hand-pos", AN, "from += g.Table.PicCards[c].Left < g.Table.PicCards[card].Left;", "from += g.Table.PicCards[c].Left <= g.Table.PicCards[card].Left;", "hand position off by one"),
 ("acc-covered", AN, "text.Covered = card != TopAt(g, PlaceStock);", "text.Covered = false;", "stock's covered cards read out"),
 ("acc-pure", AN, "meld.Count >= rules::MeldMinimum ? \"pure\"", "meld.Count > rules::MeldMinimum ? \"pure\"", "meld of three not yet a meld"),
 ("acc-press-now", TA, "        Qt::QueuedConnection);\n  }\n\n protected:", "        Qt::DirectConnection);\n  }\n\n protected:", "press acted inside the screen reader's request"),
 ("acc-invisible", TA, "      state.invisible = true;", "      state.invisible = false;", "covered cards not invisible"),
 # Message window
 ("msg-escape", MW, "      return clickButton(shown[count - 1]);", "      return clickButton(shown[0]);", "Escape answers the first button"),
 ("msg-return-focus", MW, "        if (buttons_[shown[i]]->hasFocus()) return clickButton(shown[i]);\n", "        (void)i;\n", "Return ignores the focus"),
 ("msg-mnemonic-next", MW, "      if (!letter.isLetter() || used.contains(letter)) continue;", "      if (!letter.isLetter()) continue;", "second button's letter may repeat the first's"),
 ("msg-mnemonic-hidden", MW, "    if (!b->isVisibleTo(this)) continue;\n    const QString& caption", "    const QString& caption", "hidden buttons take letters"),
 ("msg-ctrl", MW, "if (count == 0 || (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))) return;", "if (count == 0 || (event->modifiers() & Qt::MetaModifier)) return;", "Ctrl+letter answers"),
 ("msg-right-click", MW, "    if (e->button() != Qt::LeftButton) return;\n    const bool click", "    const bool click", "release of any button chooses"),
 ("msg-release-outside", MW, "const bool click = armed_ && captionRect().contains(e->position());", "const bool click = armed_;", "release off the caption chooses"),
 ("msg-reject", MW, "  if (cancelling_) QDialog::reject();", "  QDialog::reject();", "close box answers nothing but closes"),
 ("msg-pressed-reset", MW, "  for (MessageButton* b : buttons_) b->setPressed(false);\n", "", "pressed look stays into the next message"),
 ("msg-pressed-colour", MW, "const QColor kDark(128, 128, 128);", "const QColor kDark(100, 100, 100);", "pressed edge colour"),
 ("msg-ring-colour", MW, "      p.setPen(QPen(kCaptionText, 1, Qt::DotLine));", "      p.setPen(QPen(kMessageText, 1, Qt::DotLine));", "focus ring in message colour"),
 ("msg-first-focus", MW, "    b->setFocus(Qt::OtherFocusReason);  // the first shown button answers Return\n    break;", "    b->setFocus(Qt::OtherFocusReason);  // the first shown button answers Return", "last shown button gets the focus"),
 ("msg-scroll", MW, "    messageArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);\n    message_->resize(messagePlace.size());", "    messageArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);\n    message_->resize(messagePlace.size());", "short message may show a scroll bar"),
 ("msg-title", MW, "  title_->setText(QString::fromStdString(layout_.TitleText));", "  title_->setText(QString::fromStdString(m.Title));", "title from the message not the layout"),
 ("msg-button-place", MW, "    buttons_[i]->setGeometry(toPixels(layout_.Buttons[i]));", "    buttons_[i]->setGeometry(toPixels(layout_.Buttons[i]).translated(0, 8));", "buttons drawn lower"),
 # Score sheet
 ("sheet-refresh", SS, "  if (renamed || game_.Sheet.Revision != shownSheet_) fillSheet();", "  if (renamed) fillSheet();", "sheet not kept current"),
 ("sheet-log-chop", SS, "  text.chop(1);  // the last line's end\n", "", "log keeps a trailing line end"),
 ("sheet-copy-page", SS, "pages_->currentWidget() == sheet_ ? ScoreSheetText(game_) : HandLogText(game_);", "ScoreSheetText(game_);", "copy always copies the sheet"),
 ("sheet-shortcut", SS, "  connect(shortcut, &QShortcut::activated, window, open);\n", "", "Ctrl+H does nothing while the menu rests"),
 ("sheet-filter-copy", SS, "!(watched == log_ && log_->textCursor().hasSelection())) {", "watched == sheet_) {", "Ctrl+C in the log copies nothing"),
 # Card art
 ("art-rank-name", CA, '      return QStringLiteral("queen");', '      return QStringLiteral("qeen");', "queen element id"),
 ("art-fallback-back", CA, "  if (image < 1 || image > CardCount) {\n    p.setPen(QPen(Qt::white, 1));", "  if (image < 1 || image >= CardCount) {\n    p.setPen(QPen(Qt::white, 1));", "last card drawn as a back without the deck"),
 ("art-dpr", CA, "  QImage picture(size * dpr, QImage::Format_ARGB32_Premultiplied);", "  QImage picture(size, QImage::Format_ARGB32_Premultiplied);", "cards not rendered at the screen's density"),
 # Folders
 ("folder-copy-over", "src/ui/Folders.cpp", "if (!QFileInfo::exists(own) && beside.isFile()", "if (beside.isFile()", "copy over the player's own file"),
 ("folder-sound-order", "src/ui/Folders.cpp", "{program.filePath(name), program.filePath(installed + '/' + name)}", "{program.filePath(installed + '/' + name), program.filePath(name)}", "installed sound preferred over the one beside"),
 # Host
 ("host-cancel", "src/ui/QtHost.cpp", "  if (!ok) return std::nullopt;\n", "", "cancelled input gives empty text"),
 # Units
]
