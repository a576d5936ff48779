// Resource ids of the usage-bar updater.
#pragma once

#define IDI_APP 1
