// Resource ids of the remover.
#pragma once

#define IDI_APP 1
