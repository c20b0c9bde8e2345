#pragma once

#include "catalogue/Food.h"

#include <QStringList>

// Exchanging a component of a set meal for one of its alternatives, as the set-meal details do
// before the set is ordered. The alternatives travel with the position: after an exchange the
// replaced component stands among the alternatives where the chosen one was, so exchanging back
// restores the set. What the exchange costs is Food::exchangeCharge.
namespace SetMealExchange {
// The dish number of every component, by position, as the set stands before any exchange.
QStringList originalFoodnos(const Food &setMeal);

// Puts alternative `change` of component `position` in that component's place. False, and nothing
// changes, when either index is out of range.
bool exchange(Food &setMeal, const QStringList &originalFoodnos, qsizetype position, qsizetype change);

// The first component that is on the sold-out list: a set holding it is not ordered (it would be
// billed in full without that dish); the waiter exchanges it first.
const Food *soldOutComponent(const Food &setMeal);
// "%1已沽清" with the component's name, in the current language.
QString soldOutMessage(const Food &component);
} // namespace SetMealExchange
