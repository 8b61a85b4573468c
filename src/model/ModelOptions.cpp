#include "model/ModelOptions.h"

#include "model/EnvironmentOptions.h"

ModelOptions ModelOptions::FromEnvironment(const CEnvironmentOptions& environment) {
    ModelOptions options;
    options.DistinguishPrimaryOutlineNumber = environment.distinguishPrimaryOutlineNumber != 0;
    options.ShowOutlineNumberInFnStatement = environment.showOutlineNumberInFnStatement != 0;
    options.UnNecessaryReasoningDefault = environment.unNecessaryReasoningDefault != 0;
    options.OpenTabWhenCreateFunction = environment.openTabWhenCreateFunction != 0;
    options.EnableDuplicateSiblings = environment.enableDuplicateSiblings != 0;
    options.SynchronizeFn = environment.synchronizeFn;
    options.InheritRequirementsDown = environment.inheritRequirementsDown != 0;
    options.InheritRequirementsUp = environment.inheritRequirementsUp != 0;
    return options;
}
