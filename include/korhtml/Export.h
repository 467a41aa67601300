// KORHTML_API marks what libkorhtml.so exports to its hosts; everything else in it is hidden.
#pragma once

#define KORHTML_API __attribute__((visibility("default")))
