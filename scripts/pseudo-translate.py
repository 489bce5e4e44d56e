#!/usr/bin/env python3
"""Writes a pseudo-translation of a Qt .ts template: every source text translated as
itself wrapped in "[[" and "]]", so that a test can see which texts went through tr().
Usage: pseudo-translate.py TEMPLATE.ts OUTPUT.ts"""
import sys
import xml.etree.ElementTree as ET

tree = ET.parse(sys.argv[1])
root = tree.getroot()
root.set('language', 'xx')
for message in root.iter('message'):
    source = message.find('source').text or ''
    translation = message.find('translation')
    if translation is None:
        translation = ET.SubElement(message, 'translation')
    translation.attrib.pop('type', None)
    translation.text = '[[' + source + ']]'
tree.write(sys.argv[2], encoding='utf-8', xml_declaration=True)
