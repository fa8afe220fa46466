// The component model: class information and registry, persistents, components, collections,
// published properties by name, and component streaming.
#pragma once

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Collection.h"
#include "platform/classes/Component.h"
#include "platform/classes/Object.h"
#include "platform/classes/Properties.h"
#include "platform/classes/Streaming.h"
