#pragma once
// Text forms of operation signatures, operation blocks and instances.

#include <string>
#include <vector>

#include "grounding/OperationInstance.h"

namespace vexmolda {

// "move(rocket:r, place:from)\n" for an operation, "move(r1,london)\n" for an instance.
std::string signatureText(const Operation& operation);
std::string signatureText(const OperationInstance& instance);

// An operation's block of the report: head with instance count, pre, del,
// add and constraints.
std::string operationBlockText(const Operation& operation, const InstanceList& instances);

// Every instance's signature, in list order.
std::string instancesText(const InstanceList& instances);

}  // namespace vexmolda
