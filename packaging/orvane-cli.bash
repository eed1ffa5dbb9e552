# SPDX-License-Identifier: GPL-3.0-or-later
# bash completion for orvane-cli. The commands and their options come from the program's
# own --help, so they always match the installed version.

_orvane_cli() {
  local cur prev words cword
  _init_completion || return
  local cli=${words[0]}
  if ((cword == 1)); then
    local commands
    commands=$("$cli" --help 2>/dev/null | sed -n 's/^  \([a-z][a-z-]*\) .*/\1/p')
    COMPREPLY=($(compgen -W "$commands --help --version --debug" -- "$cur"))
    return
  fi
  case $prev in
    --out | --csv | --prom)
      _filedir
      return
      ;;
    --format)
      COMPREPLY=($(compgen -W "text csv jsonl influx" -- "$cur"))
      return
      ;;
    --separator)
      # Offered quoted for the shell: a bare ";" would end the command there. A TAB is
      # offered as the word "tab", which needs no quoting.
      local word bare=${cur//[\'\"\\]/}
      COMPREPLY=()
      for word in , ';' tab; do
        [[ $word == "$bare"* ]] && COMPREPLY+=("${word/#;/\\;}")
      done
      return
      ;;
    --split)
      COMPREPLY=($(compgen -W "daily" -- "$cur"))
      return
      ;;
    --device)
      COMPREPLY=($(compgen -G "${cur:-/dev/hidraw}*"))
      return
      ;;
    --meter | --serial | --name | --count | --every | --duration | --size | --from | --to | --blink | --interval-ms)
      return
      ;;
  esac
  if [[ $cur == -* ]]; then
    local options
    options=$("$cli" "${words[1]}" --help 2>/dev/null | grep -o -- '--[a-z][a-z-]*' | sort -u)
    COMPREPLY=($(compgen -W "$options --help --debug" -- "$cur"))
    return
  fi
  case ${words[1]} in
    logger)
      ((cword == 2)) && COMPREPLY=($(compgen -W "list download erase erase-all" -- "$cur"))
      ;;
    key)
      # The captions without blanks, from the program's own key table.
      ((cword == 2)) && COMPREPLY=($(compgen -W "$("$cli" key --list 2>/dev/null |
        awk '{c = substr($0, 1, 8); sub(/ +$/, "", c); if (c !~ / /) print c}')" -- "$cur"))
      ;;
    info | export | plot | record)
      _filedir lms
      ;;
  esac
} && complete -F _orvane_cli orvane-cli
