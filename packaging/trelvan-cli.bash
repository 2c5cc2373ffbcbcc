# bash completion for trelvan-cli                                    -*- shell-script -*-
# shellcheck shell=bash

_trelvan_cli() {
  local cur prev words cword
  _init_completion || return

  local command="" i directory=0 operands=0
  for ((i = 1; i < cword; i++)); do
    case ${words[i]} in
      abo2dbf | dbf2abo | check)
        if [[ -z $command ]]; then command=${words[i]}; else ((operands++)); fi
        ;;
      -d | --directory) directory=1 ;;
      -*) ;;
      *) [[ ${words[i - 1]} == @(-d|--directory|--code-page) ]] || ((operands++)) ;;
    esac
  done

  case $prev in
    -d | --directory)
      _filedir -d
      return
      ;;
    --code-page)
      mapfile -t COMPREPLY < <(compgen -W '1250' -- "$cur")
      return
      ;;
  esac

  if [[ -z $command ]]; then
    mapfile -t COMPREPLY < <(compgen -W 'abo2dbf dbf2abo check --help --version' -- "$cur")
    return
  fi

  if [[ $cur == -* ]]; then
    local options
    case $command in
      abo2dbf) options='--yes --quiet --directory --code-page --' ;;
      dbf2abo) options='--yes --quiet --directory --' ;;
      check) options='--json --quiet --' ;;
    esac
    mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
    return
  fi

  # The source comes first, the target second; with -d every operand is a source.
  local statement='@(abo|gpc|ABO|GPC)' table='@(dbf|DBF)'
  local source=0
  ((directory || operands == 0)) && source=1
  case $command in
    abo2dbf) if ((source)); then _filedir "$statement"; else _filedir "$table"; fi ;;
    dbf2abo) if ((source)); then _filedir "$table"; else _filedir "$statement"; fi ;;
    check) _filedir '@(abo|gpc|dbf|ABO|GPC|DBF)' ;;
  esac
} &&
  complete -F _trelvan_cli trelvan-cli

# ex: filetype=sh
