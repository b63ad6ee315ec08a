# The two commands: `make demo` and `make test`. Both install what is missing first.
.PHONY: deps native win32 demo test clean

NATIVE := build/native
WIN32DIR := build/win32
PANELHOST := $(NATIVE)/tools/panelhost/panelhost

deps:
	@scripts/install-deps.sh

native: deps
	cmake --preset native >/dev/null
	cmake --build --preset native

# The Win32 tree takes the artwork the native build drew (it runs no generators).
win32: native
	cmake --preset win32 >/dev/null
	cmake --build --preset win32

demo: native
	@scripts/demo.sh $(PANELHOST) $(NATIVE)/modules out

# Configuring the native tree again now that build/win32 exists registers the Win32 checks
# (tests/win32: the DLLs' exports and imports, and both hosts compared under Wine).
test: win32
	cmake --preset native >/dev/null
	ctest --preset native

clean:
	rm -rf build out
