#pragma once
// The texts of the domain window, built from the model on each call.

#include <string>

namespace vexmolda {

class Model;
class InstanceList;

// Every type in name order, joined by ", "; a subtype as "name->parent".
std::string typesText(const Model& model);
// Every object in name order as "name[type]", joined by ", ".
std::string atomsText(const Model& model);
// Every predicate declaration in name order, joined by ", ".
std::string predicatesText(const Model& model);
// Per operation in name order: its signature with instance count, then its
// pre, add and del lists and its constraints, each on a tabbed line.
std::string operationsText(const Model& model, const InstanceList& instances);

}  // namespace vexmolda
