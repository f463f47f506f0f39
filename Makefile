# The front door: make build | test | run | bench | demo | dist | format
.PHONY: all deps build build-native build-win test run bench demo dist format clean

NATIVE := build/native
WIN := build/win

all: build

deps:
	@scripts/deps.sh

build: deps build-native build-win

build-native:
	@cmake -S . -B $(NATIVE) -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(NATIVE)

build-win:
	@cmake -S . -B $(WIN) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake >/dev/null
	@cmake --build $(WIN)

# The end-to-end tests install what dist builds.
test: build dist
	@scripts/test.sh

run: build
	@scripts/run.sh

bench: build
	@scripts/bench.sh

demo: build
	@scripts/demo.sh

dist: deps build-win
	@scripts/dist.sh

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build dist
