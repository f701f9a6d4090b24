#!/bin/sh
# Starts the installed program; its data folder is asked for at the first start.
exec /usr/lib/rotaflux/Rotaflux "$@"
