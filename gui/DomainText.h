#pragma once
// The texts of the domain window, built from the live model on each call.

#include <string>

namespace vexmolda {

// Every type in name order, joined by ", "; a subtype as "name->parent".
std::string typesText();
// Every object in name order as "name[type]", joined by ", ".
std::string atomsText();
// Every predicate declaration in name order, joined by ", ".
std::string predicatesText();
// Per operation in name order: its signature with instance count, then its
// pre, add and del lists and its constraints, each on a tabbed line.
std::string operationsText();

}  // namespace vexmolda
