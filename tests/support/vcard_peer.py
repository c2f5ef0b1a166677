#!/usr/bin/env python3
"""Python's vobject as an independent vCard writer and reader.

  vcard_peer.py write CARDS OUT  writes the cards that the JSON file CARDS
      describes (a list of cards, each a list of [name, [types], value];
      the value of N, ADR and ORG is a list of components) to OUT with
      vobject's serializer.
  vcard_peer.py read FILE       prints, as JSON, every card of FILE as
      vobject reads it: a list of objects mapping each property name to a
      list of {"types": [...], "value": text or list of components}.
"""
import json
import sys

import vobject


def build(properties):
    card = vobject.vCard()
    for name, types, value in properties:
        prop = card.add(name.lower())
        if name == "N":
            prop.value = vobject.vcard.Name(family=value[0], given=value[1])
        elif name == "ADR":
            box, extended, street, city, region, code, country = value
            prop.value = vobject.vcard.Address(box=box, extended=extended, street=street,
                                               city=city, region=region, code=code,
                                               country=country)
        else:
            prop.value = value
        if types:
            prop.params["TYPE"] = types
    return card.serialize()


def value_of(prop):
    value = prop.value
    if isinstance(value, vobject.vcard.Name):
        return [value.family, value.given, value.additional, value.prefix, value.suffix]
    if isinstance(value, vobject.vcard.Address):
        return [value.box, value.extended, value.street, value.city, value.region,
                value.code, value.country]
    return value


def read(path):
    with open(path, encoding="utf-8", newline="") as f:
        text = f.read()
    cards = []
    for card in vobject.readComponents(text):
        props = {}
        for prop in card.getChildren():
            entry = {"types": [t.upper() for t in prop.params.get("TYPE", [])],
                     "value": value_of(prop)}
            props.setdefault(prop.name.upper(), []).append(entry)
        cards.append(props)
    return cards


def main():
    if sys.argv[1] == "write":
        with open(sys.argv[2], encoding="utf-8") as f:
            cards = json.load(f)
        with open(sys.argv[3], "w", encoding="utf-8", newline="") as out:
            for properties in cards:
                out.write(build(properties))
    else:
        json.dump(read(sys.argv[2]), sys.stdout, ensure_ascii=True)


main()
