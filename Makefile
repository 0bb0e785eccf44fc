# The two set-up commands of the README:
#   make run    installs what is missing, builds, and starts Velmora
#   make test   installs what is missing, builds, and runs every test
# and for packagers: make install [PREFIX=/usr/local] [DESTDIR=/tmp/pkg]
BUILD ?= build
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local

.PHONY: deps configure build run test install check-sanitize clean

deps:
	./scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./scripts/run-velmora.sh $(BUILD)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The prefix is configured, not only given to the install step: the D-Bus service file names the
# installed program by its full path.
install: build
	cmake -S . -B $(BUILD) -DCMAKE_INSTALL_PREFIX="$(PREFIX)"
	cmake --build $(BUILD) -j $(JOBS)
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD)

# AddressSanitizer + UndefinedBehaviorSanitizer build in build-sanitize and the whole suite run there
# (slow: not part of CI).
check-sanitize: deps
	./scripts/check-sanitize.sh build-sanitize $(JOBS)

clean:
	rm -rf $(BUILD)
