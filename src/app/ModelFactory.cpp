#include "app/ModelFactory.h"

#include "app/TarnholdModel.h"
#include "platform/Platform.h"

std::unique_ptr<TarnholdModel> systemModel()
{
    return std::make_unique<TarnholdModel>(createPlatform());
}
