#pragma once

#include "ChoiceGroupModel.h"
#include "ConfigViewController.h"

#include <QString>
#include <QStringList>

class SoundManager;

// The option groups of the settings page (ConfigViewController::Group, top to bottom): their
// texts, the choice the stored settings select, and what a tap on a choice changes. A tap takes
// effect at once in the in-memory settings; the grid mode and the table-status refresh are also
// stored at once.
namespace SettingsChoices {

int choiceCount(int group);
ChoiceGroupModel::Input input(int group);
// In the current language; the language names stand as they are, readable in either language.
QString title(int group);
QStringList choices(int group);
// The choice that the stored settings select.
int initialChoice(int group);
// Applies a valid choice; `sound` plays or stops the background music.
void apply(int group, int choice, SoundManager &sound);

} // namespace SettingsChoices
