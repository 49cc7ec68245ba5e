#pragma once
// Placeholder until the dialog wrappers land.
